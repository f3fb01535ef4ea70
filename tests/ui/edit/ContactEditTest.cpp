// The contact editor driven as a person drives it, with taps where the form draws its parts:
// values typed into its blocks reach the store exactly as typed and the list and the preview
// follow; a label chosen or typed in the label popup is stored with its value; OK without a change
// saves nothing; a failed save says so and keeps everything typed; a new contact starts with the
// number handed over.
#include <QPlainTextEdit>

#include "ui/edit/ContactEditor.h"
#include "view/pane/FileTimeDate.h"
#include "view/template/FieldsMenu.h"

namespace {

TEST_F(ContactEditor, TypedValuesReachTheStoreAsTypedAndTheScreensFollow) {
    ContactsFrame& frame = Start();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldMobile, u"555 0001"}});
    const QString name = QString::fromUtf16(u"\u00c4nna \U0001F469\u200D\U0001F680 \u05E2\u05D1\u05E8\u05D9\u05EA");
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FieldBlock* names = editor.BlockOf(kGroupName);
        FieldBlock* phones = editor.BlockOf(kGroupPhone);
        ASSERT_NE(names, nullptr);
        ASSERT_NE(phones, nullptr);
        QLineEdit& last = TapText(editor, *names, names->NameCell(kNameLast));
        EXPECT_EQ(last.text(), "Smith");
        EXPECT_EQ(last.geometry(), editor.Form()->StopRect(editor.Form()->Current()))
            << "over the value tapped";
        EXPECT_EQ(last.cursorPosition(), 0) << "a value shows its start, not its end";
        RetypeName(editor, name);
        const int mobile = RowWith(*phones, "555 0001");
        ASSERT_GE(mobile, 0);
        Retype(TapText(editor, *phones, CellOf(*phones, mobile)), "  +1 555 999 0000 ");
        EXPECT_EQ(names->CellText(names->Cells()[names->NameCell(kNameFirst)]), name)
            << "left, the value is drawn as typed";
        Ok(editor);
    }));
    const Contact stored = Stored(anna);
    EXPECT_EQ(QString::fromStdU16String(std::u16string(stored.GetText(kFieldFirst).View())), name);
    EXPECT_EQ(stored.GetText(kFieldMobile), Str(u"+1 555 999 0000")) << "values are trimmed at both ends";
    EXPECT_TRUE(frame.Status().startsWith("Saved ")) << frame.Status().toStdString();
    EXPECT_EQ(frame.Model().List().SelectedOid(), anna);
    EXPECT_TRUE(WaitFor([&] { return frame.Preview().Shown().GetText(kFieldMobile) == Str(u"+1 555 999 0000"); }))
        << "the preview shows the saved contact";

    // OK without a change stores nothing.
    const QString before = frame.Status();
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) { Ok(editor); }));
    EXPECT_TRUE(frame.Status().startsWith("Editing contact")) << "nothing saved: " << frame.Status().toStdString();
}

TEST_F(ContactEditor, ACustomLabelIsStoredWithItsValue) {
    ContactsFrame& frame = Start();
    const uint32_t kate = Add({{kFieldFirst, u"Kate"}, {kFieldWorkPhone, u"555 2000"}});
    EXPECT_TRUE(Editing(frame, kate, [&](ContactEditDlg& editor) {
        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        const int work = RowWith(phones, "555 2000");
        ASSERT_GE(work, 0);
        // "Custom..." in the label popup, then the prompt: the label is typed.
        TypeCustomLabel(editor, phones, work, "Boat \u26F5");
        EXPECT_EQ(phones.ElementLabel(work), "Boat \u26F5");
        Ok(editor);
    }));
    const Contact stored = Stored(kate);
    EXPECT_TRUE(stored.GetText(kFieldWorkPhone).IsEmpty()) << "the number left the Work field";
    ASSERT_EQ(stored.phones.GetSize(), 1);
    EXPECT_EQ(stored.phones[0].label, Str(u"Boat \u26F5"));
    EXPECT_EQ(stored.phones[0].value, Str(u"555 2000"));
}

TEST_F(ContactEditor, AFailedSaveKeepsTheDialogAndTheInput) {
    ContactsFrame& frame = Start();
    const uint32_t kate = Add({{kFieldFirst, u"Kate"}, {kFieldWorkPhone, u"555 2000"}});
    bool stillOpen = false;
    QString kept;
    EXPECT_TRUE(Editing(frame, kate, [&](ContactEditDlg& editor) {
        // Another program deletes the contact while it is being edited.
        ASSERT_TRUE(MainWndFrame::Instance().Clients()->DeleteContact(kate).Complete());
        RetypeName(editor, "Katherine");
        editor.Send(plat::WM_COMMAND, plat::IDOK, 0);
        stillOpen = editor.IsOpen();
        kept = editor.BlockOf(kGroupName)->ElementValue(RowLabelled(*editor.BlockOf(kGroupName), "First"));
        Cancel(editor);
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(kept, "Katherine");
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_NE(boxes_.Boxes()[0].text.find(u"could not be saved"), std::u16string::npos);
    EXPECT_FALSE(frame.Status().startsWith("Saved"));
}

TEST_F(ContactEditor, NewContactStartsWithTheNumberAndBecomesCurrent) {
    ContactsFrame& frame = Start();
    Add({{kFieldFirst, u"Kate"}});
    uint32_t before = 0;
    EXPECT_TRUE(WithEditor(frame, [&] { frame.NewContact(u"5551234"); }, [&](ContactEditDlg& editor) {
        before = editor.Saved().GetOid();
        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        EXPECT_GE(RowWith(phones, "5551234"), 0) << "the number handed over is in the form";
        RetypeName(editor, "Bob");
        Ok(editor);
    }));
    EXPECT_EQ(before, 0u);
    const uint32_t bob = frame.ShownContact();
    ASSERT_NE(bob, 0u);
    EXPECT_EQ(Stored(bob).GetText(kFieldMobile), Str(u"5551234"));
    EXPECT_TRUE(WaitFor([&] { return frame.Model().List().SelectedOid() == bob; })) << "the new contact is current";

    // An empty new contact is not added.
    const size_t count = frame.Model().List().Oids().size();
    EXPECT_TRUE(WithEditor(frame, [&] { frame.NewContact(u""); }, [&](ContactEditDlg& editor) { Ok(editor); }));
    PumpPendingMessages();
    EXPECT_EQ(frame.Model().List().Oids().size(), count);
}

TEST_F(ContactEditor, AnAddressKeepsWhatIsTypedAcrossAChangeOfFormat) {
    ContactsFrame& frame = Start();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldHomeStreet, u"12 Long Road"}, {kFieldHomeCity, u"Springfield"}});
    QStringList placeholders;
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        FieldBlock& addresses = *editor.BlockOf(kGroupAddress);
        const int home = RowWith(addresses, "Springfield");
        ASSERT_GE(home, 0);
        FormWindow& form = *editor.Form();
        EXPECT_TRUE(WithPopups([&] { Tap(form, form.PartPoint(addresses, home, BlockPart::Label)); },
                               {"Address format...", "Australia"}));
        PumpPendingMessages();
        for (const int cell : addresses.CellsOf(home)) {
            placeholders << addresses.Placeholder(addresses.Cells()[cell]);
            if (placeholders.back() == "State") Retype(TapText(editor, addresses, cell), "NSW");
        }
        Ok(editor);
    }));
    EXPECT_EQ(placeholders, (QStringList{"Street", "Suburb", "State", "PostalCode", "Country"}));
    const Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetText(kFieldHomeStreet), Str(u"12 Long Road"));
    EXPECT_EQ(stored.GetText(kFieldHomeCity), Str(u"Springfield")) << "the city is the suburb line";
    EXPECT_EQ(stored.GetText(kFieldHomeState), Str(u"NSW"));
}

TEST_F(ContactEditor, FieldsMenuAddsAGroupsDefaultBlockInPlaceKeepingWhatIsTyped) {
    ContactsFrame& frame = Start();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        int missing = -1;
        for (int group = kGroupPhone; group <= kGroupOther && missing < 0; ++group) {
            if (editor.BlockOf(group) == nullptr) missing = group;
        }
        ASSERT_GE(missing, 0) << "the default template leaves some group off";
        const auto items = FieldsMenuItems();
        const uint32_t command =
            std::find_if(items.begin(), items.end(), [&](const FieldsMenuItem& i) { return i.group == missing; })->command;
        EXPECT_FALSE(editor.FieldsMenu().Find(command)->IsChecked());
        RetypeName(editor, "Annabel");
        editor.OnFieldsCommand(command);
        FieldBlock* added = editor.BlockOf(missing);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->ElementCount(), ContactEditInPropMapper::DefaultBlock(missing).rows.GetSize());
        EXPECT_TRUE(editor.FieldsMenu().Find(command)->IsChecked());
        const FormCell* current = editor.Form()->CurrentCell();
        EXPECT_TRUE(editor.Form()->Current().block == added && current != nullptr && current->element == 0)
            << "the added block has the keyboard";
        std::vector<int> groups;
        for (int index = 0; index < editor.Form()->BlockCount(); ++index)
            groups.push_back(editor.Form()->Block(index)->Group());
        EXPECT_TRUE(std::is_sorted(groups.begin(), groups.end())) << "the block goes after the lower groups";
        FieldBlock& names = *editor.BlockOf(kGroupName);
        EXPECT_EQ(names.CellText(names.Cells()[names.NameCell(kNameFirst)]), "Annabel")
            << "typed text survives";
        Cancel(editor);
    }));
}

TEST_F(ContactEditor, TheNoteIsKeptAsStoredOrStoredAsTyped) {
    ContactsFrame& frame = Start();
    Contact noted = ContactOf({{kFieldFirst, u"Anna"}});
    // A note written by another program: text, then bytes after its end that are not text.
    noted.SetNote(ByteBlock(std::vector<uint8_t>{'H', 0, 'i', 0, 0, 0, 0xAB, 0xCD}));
    ASSERT_TRUE(MainWndFrame::Instance().Clients()->AddContact(noted, true).Complete());
    const ByteBlock stored = Stored(noted.GetOid()).GetNote();
    EXPECT_TRUE(Editing(frame, noted.GetOid(), [&](ContactEditDlg& editor) {
        RetypeName(editor, "Anne");
        Ok(editor);
    }));
    EXPECT_EQ(Stored(noted.GetOid()).GetText(kFieldFirst), Str(u"Anne"));
    EXPECT_TRUE(Stored(noted.GetOid()).GetNote() == stored) << "an untouched note keeps its bytes";

    const QString typed = QString::fromUtf16(u"Ruft zur\u00fcck \U0001F4DE\n\u05E9\u05DC\u05D5\u05DD");
    EXPECT_TRUE(Editing(frame, noted.GetOid(), [&](ContactEditDlg& editor) {
        Tap(*editor.Form(), editor.Form()->CellPoint(*editor.BlockOf(kGroupNote), 0));
        QPlainTextEdit& note = *editor.Form()->NoteEditor();
        EXPECT_TRUE(note.isVisible() && note.hasFocus());
        note.selectAll();
        note.insertPlainText(typed);
        Ok(editor);
    }));
    EXPECT_EQ(QString::fromStdU16String(std::u16string(Stored(noted.GetOid()).GetNoteText().View())), typed);
}

class EditorShots : public ContactEditor, public ::testing::WithParamInterface<int> {};

// The form scrolled through every kind of block, the label popup over it and the edit control
// over a value, at the ordinary and the double resolution.
TEST_P(EditorShots, Form) {
    ContactsFrame& frame = Start(GetParam());
    Contact full = ContactOf({{kFieldFirst, u"Anna"},
                              {kFieldLast, u"Smith-Featherstonehaugh"},
                              {kFieldMobile, u"+1 555 123 4567"},
                              {kFieldEmail1, u"anna.smith-featherstonehaugh@example.com"},
                              {kFieldHomeStreet, u"12 Long Road"},
                              {kFieldHomeCity, u"Springfield"},
                              {kFieldOffice, u"B 204"},
                              {kFieldIm1, u"ICQ: 123456789"},
                              {kFieldWeb, u"https://example.org/anna"}});
    full.SetBirthday(FileTimeOfDate({1980, 12, 31}).value_or(0));
    full.SetNote(ByteBlock(
        std::vector<uint8_t>{'C', 0, 'a', 0, 'l', 0, 'l', 0, ' ', 0, 'b', 0, 'a', 0, 'c', 0, 'k', 0}));
    const uint32_t anna = AddContact(full);
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        PumpPendingMessages();
        const QString dpi = QString::number(GetParam());
        FormWindow& form = *editor.Form();
        QWidget& window = *MainWndFrame::Instance().Widget();
        for (int index = 0; index < form.BlockCount(); ++index) {
            form.FocusFirst(form.Block(index));
            PumpPendingMessages();
            // The value with the keyboard is shown in its editor, which takes input.
            EXPECT_TRUE(QApplication::focusWidget() != nullptr && QApplication::focusWidget()->isEnabled())
                << "block " << index;
            const QString kind = QString::number(static_cast<FieldBlock*>(form.Block(index))->Kind());
            EXPECT_FALSE(SaveScreenshot(window, "edit_form_" + QString::number(index) + "_kind" + kind + "_" +
                                                    dpi + "dpi")
                             .isEmpty());
        }
        FieldBlock& phones = *editor.BlockOf(kGroupPhone);
        QLineEdit& mobile = TapText(editor, phones, CellOf(phones, RowWith(phones, "+1 555 123 4567")));
        EXPECT_TRUE(mobile.isVisible() && mobile.hasFocus());
        ShootWindow("edit_form_editing_" + dpi + "dpi");
        EXPECT_TRUE(WithPopup([&] { Tap(form, form.PartPoint(phones, 0, BlockPart::Label)); },
                              [&](QMenu& menu) {
                                  EXPECT_EQ(Texts(menu).mid(0, 3), (QStringList{"Work", "Home", "Mobile"}));
                                  SaveWithPopups(window, {&menu}, "edit_label_popup_" + dpi + "dpi");
                                  menu.close();
                              }));
        Cancel(editor);
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditorShots, ::testing::Values(96, 192));

}  // namespace
