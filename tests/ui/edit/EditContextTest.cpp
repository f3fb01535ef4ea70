// The form's text fields as a stylus and keys use them: a press held still opens the Edit menu
// (timed on the platform clock, driven here), a press that moves or lifts early does not, the
// menu's commands act on the field it opened on and are greyed while they cannot apply, a double
// tap selects everything, a right click opens the same menu instead of Qt's, and Up and Down move
// between the form's elements.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "ui/edit/ContactEditor.h"
#include "ui/toolkit/CApEditContext.h"

namespace {

class EditContextScreen : public ContactEditor, public ::testing::WithParamInterface<int> {
protected:
    static constexpr QPoint kAt{12, 6};

    static QStringList Enabled(QMenu& menu) {
        QStringList enabled;
        for (QAction* action : menu.actions()) {
            if (action->isEnabled()) enabled << action->text();
        }
        return enabled;
    }

    // Holds the stylus on `field` until the timer fires; `onMenu` gets the Edit menu (and must
    // choose or dismiss). False when no menu opened.
    static bool Hold(plat::ScopedTestClock& clock, QWidget& field,
                     const std::function<void(QMenu&)>& onMenu) {
        QTest::mousePress(&field, Qt::LeftButton, {}, kAt);
        const bool opened = WithPopup([&] { clock.Advance(HoldGesture::kHoldMs); }, onMenu);
        QTest::mouseRelease(&field, Qt::LeftButton, {}, kAt);
        return opened;
    }

    // Holds the stylus on `field` and chooses `command` from the Edit menu.
    static void HoldAndChoose(plat::ScopedTestClock& clock, QWidget& field, const QString& command) {
        EXPECT_TRUE(Hold(clock, field, [&](QMenu& menu) { ChooseByKeys(menu, command); }))
            << command.toStdString();
    }
};

TEST_P(EditContextScreen, HoldOpensTheEditMenuWhoseCommandsActOnTheFieldAndArrowsMove) {
    ContactsFrame& frame = Start(GetParam());
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldMobile, u"555 0001"}});
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        plat::ScopedTestClock clock;
        FieldBlock& names = *editor.BlockOf(kGroupName);
        FormWindow& form = *editor.Form();
        const auto name = [&](int entry) { return names.CellText(names.Cells()[names.NameCell(entry)]); };
        const auto onName = [&](int entry) -> QLineEdit& {
            return TapText(editor, names, names.NameCell(entry));
        };
        QLineEdit& first = onName(kNameFirst);
        first.deselect();

        // A press that moves or is lifted early opens nothing (every such press: the gesture's test).
        QTest::mousePress(&first, Qt::LeftButton, {}, kAt);
        QTest::mouseMove(&first, kAt + QPoint(HoldGesture::kSlop + 1, 0));
        clock.Advance(HoldGesture::kHoldMs + 100);
        QTest::mouseRelease(&first, Qt::LeftButton, {}, kAt + QPoint(HoldGesture::kSlop + 1, 0));
        QTest::mousePress(&first, Qt::LeftButton, {}, kAt);
        clock.Advance(HoldGesture::kHoldMs - 1);
        QTest::mouseRelease(&first, Qt::LeftButton, {}, kAt);
        clock.Advance(100);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

        // Held still: the menu, with what cannot apply to "Anna" uncut and unselected greyed.
        first.deselect();
        EXPECT_TRUE(Hold(clock, first, [&](QMenu& menu) {
            EXPECT_EQ(Texts(menu), QStringList({"Undo", "Cut", "Copy", "Paste", "Clear", "Select All"}));
            EXPECT_EQ(Enabled(menu), QStringList({"Select All"}));
            SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu},
                           "edit_context_menu_" + QString::number(GetParam()) + "dpi");
            ChooseByKeys(menu, "Select All");
        }));
        EXPECT_EQ(first.selectedText(), "Anna");
        EXPECT_EQ(first.window()->focusWidget(), &first);

        // Cut, undo the cut, cut again; paste into another field.
        HoldAndChoose(clock, first, "Cut");
        EXPECT_EQ(first.text(), "");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "Anna");
        HoldAndChoose(clock, first, "Undo");
        EXPECT_EQ(first.text(), "Anna");
        HoldAndChoose(clock, first, "Cut");
        QLineEdit& last = onName(kNameLast);
        EXPECT_TRUE(Hold(clock, last, [&](QMenu& menu) {
            EXPECT_EQ(Enabled(menu), QStringList({"Paste"})) << "an empty field can only take a paste";
            ChooseByKeys(menu, "Paste");
        }));
        EXPECT_EQ(name(kNameLast), "Anna");
        EXPECT_EQ(name(kNameFirst), "") << "the menu acts on the field it opened on";
        onName(kNameFirst).setText("Anna");

        // The selection a press lands on survives the hold; Clear removes it alone.
        first.setSelection(1, 2);
        EXPECT_TRUE(Hold(clock, first, [&](QMenu& menu) { ChooseByKeys(menu, "Clear"); }));
        EXPECT_EQ(first.text(), "Aa");

        // A double tap selects the whole text on release, not the word tapped.
        first.setText("Aa Bb");
        QTest::mouseClick(&first, Qt::LeftButton, {}, kAt);
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(kAt), first.mapToGlobal(QPointF(kAt)),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&first, &second);
        QTest::mouseRelease(&first, Qt::LeftButton, {}, kAt);
        EXPECT_EQ(first.selectedText(), "Aa Bb");

        // A right click (the tap-and-hold of a mouse) opens the same menu, not Qt's own; the note
        // keeps Up and Down for its lines, where the one-line fields move between elements.
        Tap(form, form.CellPoint(*editor.BlockOf(kGroupNote), 0));
        QPlainTextEdit* note = form.NoteEditor();
        ASSERT_TRUE(note->isVisible());
        note->setPlainText("line one\nline two");
        // The Menu key and Shift+F10 open it from the keyboard.
        for (const auto& [key, modifiers] :
             {std::pair(Qt::Key_Menu, Qt::KeyboardModifiers()),
              std::pair(Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier))}) {
            EXPECT_TRUE(WithPopup([&] { QTest::keyClick(note, key, modifiers); },
                                  [&](QMenu& menu) {
                                      EXPECT_EQ(Enabled(menu), QStringList({"Paste", "Select All"}));
                                      menu.close();
                                  }))
                << key;
        }
        EXPECT_TRUE(WithPopup(
            [&] {
                QContextMenuEvent menu(QContextMenuEvent::Mouse, kAt, note->viewport()->mapToGlobal(kAt));
                QApplication::sendEvent(note->viewport(), &menu);
            },
            [&](QMenu& menu) {
                EXPECT_EQ(Enabled(menu), QStringList({"Paste", "Select All"}));
                ChooseByKeys(menu, "Select All");
            }));
        EXPECT_EQ(note->textCursor().selectedText().size(), QString("line one\nline two").size());
        note->setFocus();
        note->moveCursor(QTextCursor::Start);
        QTest::keyClick(note, Qt::Key_Down);
        EXPECT_EQ(first.window()->focusWidget(), note);
        EXPECT_EQ(note->textCursor().blockNumber(), 1);
        ASSERT_GE(names.NameCell(kNameMiddle), 0);
        onName(kNameFirst);
        QTest::keyClick(&first, Qt::Key_Down);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&names, names.NameCell(kNameMiddle), -1}))
            << "Down reaches the next name field";
        EXPECT_EQ(first.window()->focusWidget(), &first) << "with the edit control over it";
        QTest::keyClick(&first, Qt::Key_Up);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&names, names.NameCell(kNameFirst), -1}))
            << "Up comes back";
        EXPECT_EQ(first.text(), "Aa Bb");
        Cancel(editor);
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditContextScreen, ::testing::Values(96, 192));

}  // namespace
