// The form window as a stylus, keys and screen readers use it: its parts where the geometry puts
// them at either resolution, blocks stacked without gaps and pushed down when one grows, the keys
// walking labels and values, and every element read out with its label and value.
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "ui/edit/ContactEditor.h"

namespace {

class FormWindowScreen : public ContactEditor, public ::testing::WithParamInterface<int> {
protected:
    // Every block starts where the one above it ends; the window is as tall as they are.
    static void ExpectStacked(const FormWindow& form) {
        int top = 0;
        for (int index = 0; index < form.BlockCount(); ++index) {
            EXPECT_EQ(form.Block(index)->Rect().top, top) << "block " << index;
            top = form.Block(index)->Rect().bottom;
        }
        EXPECT_EQ(form.minimumHeight(), top);
    }

    // A label popup opens below its label and ends at the label's right edge, unless that would
    // take it off the screen (less the frame the style keeps): then its window, with any frame the
    // window system gives it, stands against that edge.
    static void ExpectBelowLabelsRightEdge(const FormWindow& form, FormBlock& block, int element,
                                           const QMenu& menu) {
        const QRect label = form.StopRect({&block, -1, element});
        const QPoint corner = form.mapToGlobal(QPoint(label.right(), label.bottom() + 1));
        const int frame = menu.style()->pixelMetric(QStyle::PM_MenuDesktopFrameWidth, nullptr, &menu);
        const QRect screen = menu.screen()->availableGeometry().adjusted(frame, frame, -frame, -frame);
        const QRect shown = menu.geometry();
        const QRect window = menu.windowHandle()->frameGeometry();
        EXPECT_TRUE(screen.contains(window)) << "the whole popup is on the screen";
        EXPECT_TRUE(shown.right() == corner.x() ||
                    (window.left() == screen.left() && corner.x() < shown.right()))
            << "right edge " << shown.right() << ", the label's " << corner.x();
        EXPECT_TRUE(shown.top() == corner.y() ||
                    (window.bottom() == screen.bottom() && corner.y() > shown.top()))
            << "top " << shown.top() << ", the label's bottom " << corner.y();
    }
};

TEST_P(FormWindowScreen, PartsSitWhereTheGeometryPutsThemAndBlocksStack) {
    const int dpi = GetParam();
    ContactsFrame& frame = Start(dpi);
    const uint32_t anna =
        Add({{kFieldFirst, u"Anna"}, {kFieldMobile, u"555 0001"}, {kFieldWorkPhone, u"555 0002"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FormWindow& form = *editor.Form();
        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        const CElement& row = *phones.Element(0);
        const int s = 14 * dpi / 96, h = 16 * dpi / 96, labels = 84 * dpi / 96;
        EXPECT_EQ(phones.LabelWidth(), labels);
        EXPECT_EQ(phones.Element(0)->Rect().top, 3 * dpi / 96) << "the top band";
        const PseudoRect first = *phones.PartRect(row, BlockPart::FirstButton);
        EXPECT_EQ(std::tuple(first.left, first.Width(), first.Height()), std::tuple(0, s, h));
        const PseudoRect label = *phones.PartRect(row, BlockPart::Label);
        EXPECT_EQ(std::tuple(label.left, label.Width()), std::tuple(2 * s, labels));
        EXPECT_EQ(phones.PartRect(row, BlockPart::Value)->left, 2 * s + labels);
        EXPECT_EQ(phones.PartRect(row, BlockPart::SecondButton), std::nullopt) << "phones clear no dates";
        // A row is a line of the value font, or a small button where that is taller; the edit
        // control, which keeps a pixel above and below its line, still shows the whole line.
        const int line = form.fontMetrics().height();
        EXPECT_EQ(phones.RowHeight(), std::max(line, h));
        EXPECT_GE(phones.RowHeight(), QFontMetrics(form.LineEditor()->font()).height() + 2);
        ExpectStacked(form);

        // A tap on a value brings the edit control exactly over it, with the value's label.
        const int mobile = RowWith(phones, "555 0001");
        QLineEdit& edit = TapText(editor, phones, CellOf(phones, mobile));
        const PseudoRect cell = phones.ToHost(phones.CellRect(phones.Cells()[CellOf(phones, mobile)]));
        EXPECT_EQ(edit.geometry(), QRect(cell.left, cell.top, cell.Width(), cell.Height()));
        EXPECT_EQ(edit.accessibleName(), "Mobile");

        // The "+" of a row adds one like it right below it: the keyboard goes there, the rows
        // after it and the blocks below move down, and the rows are read back in that order.
        const int work = RowWith(phones, "555 0002");
        const int rows = phones.ElementCount();
        QStringList expected;
        for (int element = 0; element < rows; ++element) expected << phones.ElementLabel(element);
        expected.insert(work + 1, "Work");
        int index = 0;
        while (form.Block(index) != &phones) ++index;
        ASSERT_LT(index + 1, form.BlockCount());
        FormBlock* below = form.Block(index + 1);
        const int belowTop = below->Rect().top;
        Tap(form, form.PartPoint(phones, work, BlockPart::FirstButton));
        ASSERT_EQ(phones.ElementCount(), rows + 1);
        QStringList shown;
        for (int element = 0; element <= rows; ++element) shown << phones.ElementLabel(element);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(phones.Element(work + 1)->Rect().top, phones.Element(work)->Rect().bottom);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&phones, CellOf(phones, work + 1), -1}));
        EXPECT_EQ(RowWith(phones, "555 0001"), mobile + (mobile > work ? 1 : 0));
        EXPECT_EQ(below->Rect().top, belowTop + phones.RowHeight());
        ExpectStacked(form);
        Retype(edit, "555 0003");
        Ok(editor);
    }));
    const Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetText(kFieldMobile), Str(u"555 0001"));
    EXPECT_EQ(stored.GetText(kFieldWorkPhone), Str(u"555 0002"));
    EXPECT_EQ(stored.GetText(kFieldWorkPhone2), Str(u"555 0003")) << "the second Work row";
    EXPECT_EQ(stored.phones.GetSize(), 0);
}

TEST_P(FormWindowScreen, KeysWalkLabelsAndValuesAndEnterOpensALabel) {
    ContactsFrame& frame = Start(GetParam());
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldMobile, u"555 0001"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FormWindow& form = *editor.Form();
        FieldBlock& names = *editor.BlockOf(kGroupName);
        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        ASSERT_EQ(form.Current(), (FormWindow::Stop{&names, 0, -1}))
            << "the first value has the keyboard at the start";
        // Down and Tab go on through the name fields and the picture, then a phone's label and value.
        const int nameCells = static_cast<int>(names.Cells().size());
        for (int step = 1; step < nameCells; ++step) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus, step % 2 == 0 ? Qt::Key_Tab : Qt::Key_Down);
            EXPECT_EQ(form.Current(), (FormWindow::Stop{&names, step, -1})) << step;
        }
        EXPECT_EQ(names.Cells().back().kind, CellKind::Picture);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&phones, -1, 0}))
            << "a label that opens a popup is a stop";
        EXPECT_EQ(QApplication::focusWidget(), &form);
        QTest::keyClick(&form, Qt::Key_Tab);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&phones, 0, -1}));
        EXPECT_EQ(QApplication::focusWidget(), form.LineEditor());
        QTest::keyClick(form.LineEditor(), Qt::Key_Backtab);
        QTest::keyClick(&form, Qt::Key_Up);
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&names, nameCells - 1, -1})) << "Up goes back";
        QTest::keyClick(&form, Qt::Key_Down);
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(&form, Qt::Key_Return); },
                              [&](QMenu& menu) {
                                  EXPECT_EQ(menu.actions().back()->text(), "Custom...");
                                  ExpectBelowLabelsRightEdge(form, phones, 0, menu);
                                  ChooseByKeys(menu, "Home");
                              }));
        EXPECT_EQ(phones.ElementLabel(0), "Home");
        // A tap on a label without a popup puts the keyboard on its value.
        Tap(form, form.PartPoint(names, names.Cells()[names.NameCell(kNameLast)].element, BlockPart::Label));
        EXPECT_EQ(form.Current(), (FormWindow::Stop{&names, names.NameCell(kNameLast), -1}));
        EXPECT_TRUE(form.LineEditor()->hasFocus());
        Ok(editor);
    }));
    EXPECT_EQ(Stored(anna).GetText(kFieldHomePhone).IsEmpty(),
              Stored(anna).GetText(kFieldWorkPhone).IsEmpty())
        << "the first row moved to Home only when it had a value";
}

TEST_P(FormWindowScreen, ScreenReadersReadEveryElementsLabelAndValue) {
    ContactsFrame& frame = Start(GetParam());
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"555 0001"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FormWindow& form = *editor.Form();
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&form);
        ASSERT_NE(reader, nullptr);
        int elements = 0;
        for (int index = 0; index < form.BlockCount(); ++index) elements += form.Block(index)->ElementCount();
        ASSERT_EQ(reader->childCount(), elements);
        QStringList read;
        for (int index = 0; index < reader->childCount(); ++index) {
            QAccessibleInterface* child = reader->child(index);
            // The value through the text interface, as a screen reader reads an editable text.
            QAccessibleTextInterface* value = child->textInterface();
            ASSERT_NE(value, nullptr) << child->text(QAccessible::Name).toStdString();
            read << child->text(QAccessible::Name) + "=" + value->text(0, value->characterCount());
            EXPECT_EQ(value->text(0, value->characterCount()), child->text(QAccessible::Value));
            EXPECT_EQ(reader->indexOfChild(child), index);
            EXPECT_EQ(child->parent(), reader);
        }
        EXPECT_TRUE(read.contains("First=Anna") && read.contains("Last=Smith") &&
                    read.contains("Mobile=555 0001"))
            << read.join(" | ").toStdString();

        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        const int mobile = RowWith(phones, "555 0001");
        Retype(TapText(editor, phones, CellOf(phones, mobile)), "555 0009");
        QAccessibleInterface* focused = reader->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_TRUE(focused->state().focused);
        EXPECT_EQ(focused->text(QAccessible::Name), "Mobile");
        EXPECT_EQ(focused->text(QAccessible::Value), "555 0009") << "what is typed is read";
        EXPECT_EQ(reader->childAt(focused->rect().center().x(), focused->rect().center().y()), focused);
        // Escape in the edit control goes on to the dialog, which leaves without saving.
        QTest::keyClick(form.LineEditor(), Qt::Key_Escape);
        PumpPendingMessages();
        if (!editor.IsOpen()) return;
        ADD_FAILURE() << "Escape did not reach the dialog";
        Cancel(editor);
    }));
    EXPECT_EQ(Stored(anna).GetText(kFieldMobile), Str(u"555 0001"));
}

INSTANTIATE_TEST_SUITE_P(Dpi, FormWindowScreen, ::testing::Values(96, 192));

}  // namespace
