// The speed-dial grid driven by keys and its Tools commands: an empty button takes a contact
// found through the picker's search and one of its numbers, moves and renames keep what the
// registry holds, a contact without numbers is refused by the picker.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "manager/contacts/ContactManager.h"
#include "phone/menu/PhoneFields.h"
#include "phone/speed/SpeedContacts.h"
#include "ui/phone/CSelectContactDlg.h"
#include "ui/phone/CSpeedDialDlg.h"
#include "ui/phone/CSpeedRenameDlg.h"
#include "ui/phone/PhoneScreens.h"
#include "ui/phone/PhoneSelectWnd.h"

namespace {

class SpeedDialScreen : public PhoneScreen, public ::testing::WithParamInterface<int> {
protected:
    QString Shot(const char* what) const { return QStringLiteral("phone_%1_%2dpi").arg(what).arg(GetParam()); }

    // The buttons as stored: (cell, name, number) of each record read back from the registry.
    static std::vector<std::tuple<uint32_t, std::u16string, std::u16string>> Stored() {
        ManagerSpeedContacts contacts(ContactManager::Instance());
        CSpeedInfoStore store(contacts);
        store.Load(3, 4);
        std::vector<std::tuple<uint32_t, std::u16string, std::u16string>> buttons;
        for (const SpeedRecord& record : store.Records()) {
            buttons.emplace_back(record.index, std::u16string(CSpeedInfoStore::DisplayName(record).View()),
                                 std::u16string(record.phone.View()));
        }
        return buttons;
    }

    static void Key(CSpeedDialDlg& dialog, Qt::Key key) { QTest::keyClick(dialog.Grid().Widget(), key); }
};

TEST_P(SpeedDialScreen, AssignMoveRenameAndClearByKeys) {
    ContactsFrame& frame = Start(GetParam());
    UseToneDialling();
    Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"555 2000"}});
    Add({{kFieldFirst, u"Bob"}, {kFieldLast, u"Jones"}, {kFieldWorkPhone, u"555 1000"}, {kFieldHomePhone, u"555 3000"}});
    Add({{kFieldFirst, u"Bobby"}, {kFieldLast, u"Nonumber"}});
    const PhoneTemplates formats;
    CSpeedDialDlg dialog(ContactManager::Instance(), formats);
    QTimer::singleShot(0, [&] {
        CSpeedWnd& grid = dialog.Grid();
        WaitFor([&] { return grid.Store().Cells() > 0; }, 2000);
        if (grid.Store().Cells() < 6) {
            ADD_FAILURE() << "the grid fills the phone screen: " << grid.Widget()->width() << "x" << grid.Widget()->height()
                          << " visible " << grid.Widget()->isVisible() << " dialog " << dialog.Widget()->width() << "x" << dialog.Widget()->height();
            return dialog.Send(plat::WM_COMMAND, plat::IDCANCEL, 0), void();
        }
        EXPECT_EQ(grid.ButtonText(0), "Add");

        // Enter on an empty button: the picker; "bob" leaves two; the one without numbers is
        // refused, Bob's second number is picked.
        QStringList listed;
        WithDialog<CSelectContactDlg>([&] { Key(dialog, Qt::Key_Return); }, [&](CSelectContactDlg& picker) {
            QTest::keyClicks(picker.SearchBox(), "bob");
            for (int row = 0; row < static_cast<int>(picker.Rows().size()); ++row) listed << picker.ItemText(row);
            QTest::keyClick(picker.List().Widget(), Qt::Key_Down);
            QTest::keyClick(picker.List().Widget(), Qt::Key_Return);
            EXPECT_TRUE(picker.IsOpen()) << "a contact without a number is not taken";
            QTest::keyClick(picker.List().Widget(), Qt::Key_Up);
            WithDialog<PhoneSelectWnd>([&] { QTest::keyClick(picker.List().Widget(), Qt::Key_Return); },
                                       [&](PhoneSelectWnd& chooser) {
                                           QTest::keyClick(chooser.List(), Qt::Key_Down);
                                           QTest::keyClick(chooser.List(), Qt::Key_Return);
                                       });
        });
        EXPECT_EQ(listed, (QStringList{"Jones, Bob", "Nonumber, Bobby"}));
        EXPECT_EQ(grid.ButtonText(0), "Jones, Bob\n555 3000 (Home)");

        // Move right: the button and the selection go to cell 1, cell 0 is empty again.
        dialog.Send(plat::WM_COMMAND, kSpeedRight, 0);
        EXPECT_EQ(grid.Selected(), 1);
        EXPECT_EQ(grid.ButtonText(0), "Add");
        QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(grid.Widget());
        ASSERT_NE(readable, nullptr);
        EXPECT_EQ(readable->text(QAccessible::Name),
                  QStringLiteral("Button 2 of %1: Jones, Bob, 555 3000 (Home)").arg(grid.Store().Cells()));

        // Rename offers the contact's names; a typed name is kept, Enter confirming it.
        QStringList offered;
        WithDialog<CSpeedRenameDlg>([&] { dialog.Send(plat::WM_COMMAND, kSpeedRename, 0); }, [&](CSpeedRenameDlg& rename) {
            for (int i = 0; i < rename.Names()->count(); ++i) offered << rename.Names()->itemText(i);
            QLineEdit& text = *rename.Names()->lineEdit();
            text.selectAll();
            QTest::keyClicks(&text, "Boss");
            QTest::keyClick(&text, Qt::Key_Return);
            if (rename.IsOpen()) {
                ADD_FAILURE() << "Enter left the Rename box open";
                rename.Send(plat::WM_COMMAND, plat::IDOK, 0);
            }
        });
        EXPECT_EQ(offered, (QStringList{"Bob", "Bob Jones", "Jones, Bob", "Jones"}));
        ShootWindow(Shot("speed_dial"));

        // Enter on an assigned button calls it.
        bool counted = false;
        WithDialog<DialCountdownDlg>([&] { Key(dialog, Qt::Key_Return); }, [&](DialCountdownDlg& countdown) {
            counted = true;
            EXPECT_NE(countdown.Dialing()->text().indexOf("555 3000"), -1);
            countdown.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
        });
        EXPECT_TRUE(counted);
        dialog.Send(plat::WM_COMMAND, plat::IDCANCEL, 0);
    });
    dialog.DoModal(frame);
    EXPECT_EQ(Stored(), (std::vector<std::tuple<uint32_t, std::u16string, std::u16string>>{{1u, u"Boss", u"555 3000"}}));
    EXPECT_TRUE(Played().empty());
}

INSTANTIATE_TEST_SUITE_P(Dpi, SpeedDialScreen, ::testing::Values(96, 192));

// A keypad key of the bar held down calls the speed-dial entry of its digit; an empty one says so. A
// hardware keypad digit held down in the list (told by its auto-repeat) or in the search box (by the
// time to its release) does the same and types nothing. When a press is short or held is the keypad
// model's test; a short press typing is the contact list's.
TEST_F(SpeedDialScreen, HeldKeysCallTheirSpeedDialEntry) {
    ContactsFrame& frame = Start();
    // Anna, whose mobile "555 2000" is speed-dial entry 2.
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldMobile, u"555 2000"}});
    ManagerSpeedContacts contacts(ContactManager::Instance());
    CSpeedInfoStore store(contacts);
    store.Load(3, 4);
    ASSERT_TRUE(store.Assign(CSpeedInfoStore::CellOfEntry(2), anna, kTagMobile));
    const auto hold = [&](int digit) {
        QToolButton* key = frame.BigBar().ButtonOf(digit - 1);  // "2" is button 1
        ASSERT_NE(key, nullptr);
        QTest::mousePress(key, Qt::LeftButton);
        WaitFor([] { return false; }, AbcBar::kHoldMs + 200);
        QTest::mouseRelease(key, Qt::LeftButton);
    };
    hold(3);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].text, u"Speed dial 3 is not assigned.");
    hold(2);
    const auto typedNothing = [&] { return frame.Model().Search().PressedGroups().IsEmpty(); };
    EXPECT_TRUE(typedNothing()) << "a held key presses no group";

    plat::ScopedTestClock clock;
    const auto send = [&](QWidget* target, QEvent::Type type, bool repeat, uint64_t after) {
        clock.Advance(after);
        QKeyEvent event(type, Qt::Key_2, Qt::KeypadModifier, QStringLiteral("2"), repeat);
        QApplication::sendEvent(target, &event);
    };
    QWidget* list = frame.List().Window().Widget();
    send(list, QEvent::KeyPress, false, 0);
    for (const uint64_t after : {300, 200, 40}) send(list, QEvent::KeyPress, true, after);
    send(list, QEvent::KeyRelease, false, 40);
    EXPECT_EQ(Calls(device_, 2).size(), 2u);
    EXPECT_TRUE(typedNothing()) << "held and repeated, nothing is typed";
    send(frame.SearchBox().Edit(), QEvent::KeyPress, false, 0);
    send(frame.SearchBox().Edit(), QEvent::KeyRelease, false, 450);
    const std::vector<std::string> calls = Calls(device_, 3);
    ASSERT_EQ(calls.size(), 3u);
    for (const std::string& call : calls) {
        EXPECT_NE(call.find("2000"), std::string::npos) << call;
        EXPECT_NE(call.find("Anna"), std::string::npos) << call;
    }
    EXPECT_TRUE(typedNothing());
    EXPECT_EQ(boxes_.Boxes().size(), 1u) << "only the unassigned key said anything";
}

}  // namespace
