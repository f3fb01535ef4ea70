// Menus on a screen as small as a phone's (240 x 320 at 96 dpi): the edit dialog's Fields menu,
// taller than the screen, stays on it and every item is reached with the arrows and with taps.
#include <QScreen>

#include "ui/edit/ContactEditor.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"
#include "view/template/FieldsMenu.h"

namespace {

// Qt reads the screen's size once, when the application is made: before any test runs.
const bool kPhoneScreen = qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" BREVANE_PHONE_SCREEN);

class PhoneScreenMenus : public ContactEditor {
protected:
    // The item is on the menu and shown whole, on the screen.
    static bool Shown(QMenu& menu, const QString& text) {
        QAction* action = ActionOf(menu, text);
        if (action == nullptr || !menu.rect().contains(menu.actionGeometry(action))) return false;
        const QRect onScreen(menu.mapToGlobal(menu.actionGeometry(action).topLeft()),
                             menu.actionGeometry(action).size());
        return QGuiApplication::primaryScreen()->geometry().contains(onScreen);
    }
    static QStringList FieldsTexts() {
        QStringList texts;
        for (const FieldsMenuItem& item : FieldsMenuItems()) texts << UiText(item.text);
        return texts;
    }
    static void OpenFields(ContactEditDlg& editor, const std::function<void(QMenu&)>& onMenu) {
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(editor.Widget(), Qt::Key_F1); }, onMenu));
    }
};

TEST_F(PhoneScreenMenus, AMenuTallerThanTheScreenScrollsToEveryItem) {
    ASSERT_TRUE(kPhoneScreen);
    ContactsFrame& frame = Start(96);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(240, 320)) << "the phone's screen";
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}});
    const QStringList items = FieldsTexts();
    ASSERT_EQ(items.size(), 16);
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        // The arrows: every item becomes current in turn and is then shown whole on the screen.
        OpenFields(editor, [&](QMenu& menu) {
            EXPECT_LE(menu.height(), screen.height()) << "the menu is cut to the screen";
            EXPECT_FALSE(Shown(menu, items.last())) << "the menu is cut to the screen";
            SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu}, "edit_fields_menu_phone_96dpi");
            QStringList reached;
            for (int step = 0; step < 2 * items.size() && reached.size() < items.size(); ++step) {
                QAction* active = menu.activeAction();
                if (active != nullptr && Shown(menu, active->text()) && !reached.contains(active->text())) {
                    reached << active->text();
                }
                if (active != nullptr && active->text() == items.last()) break;
                QTest::keyClick(&menu, Qt::Key_Down);
            }
            EXPECT_EQ(reached.join(", ").toStdString(), items.join(", ").toStdString());
            SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu}, "edit_fields_menu_phone_end_96dpi");
            QTest::keyClick(&menu, Qt::Key_Return);
        });
        EXPECT_TRUE(WaitFor([&] { return editor.BlockOf(kGroupOther) != nullptr; }))
            << "the last item chosen by keys";

        // Taps: the arrow at the bottom scrolls until the last items show, and a tap takes one.
        OpenFields(editor, [&](QMenu& menu) {
            const QString linked = items[items.size() - 2];
            QTest::mouseClick(&menu, Qt::LeftButton, {}, QPoint(menu.width() / 2, menu.height() - 3));
            if (!WaitFor([&] { return Shown(menu, linked); }, 3000)) {
                ADD_FAILURE() << "a tap on the scroll arrow does not scroll";
                menu.close();
                return;
            }
            Choose(menu, linked);
        });
        EXPECT_TRUE(WaitFor([&] { return editor.BlockOf(kGroupLinks) != nullptr; }))
            << "an item chosen by a tap";
        Cancel(editor);
    }));
}

}  // namespace
