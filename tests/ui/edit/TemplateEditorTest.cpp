// The template editor driven with keys and taps: from the main menu its OK replaces the view
// template, writes the template file and the preview follows; Cancel and Escape change and write
// nothing; a template that cannot be written is said; its Fields menu, rows, custom labels,
// messenger types and address formats reach the template; from the contact editor a changed
// template rebuilds the form and keeps everything typed.
#include <QLineEdit>

#include "support/TemplateOrder.h"
#include "ui/edit/CTemplateDlg.h"
#include "ui/edit/ContactEditDlg.h"
#include "ui/edit/FieldBlock.h"
#include "ui/edit/FormWindow.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/edit/TemplateBlock.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/ListScreen.h"
#include "view/address/AddressFormatTable.h"
#include "view/template/FieldsMenu.h"

namespace {

using Names = std::vector<std::u16string>;

class TemplateEditor : public ListScreen {
protected:
    static CTemplateDlg* Find() { return OpenDialog<CTemplateDlg>(); }

    // Runs the editor from the main menu; `onOpen` drives it and must end it.
    static bool FromMainMenu(const std::function<void(CTemplateDlg&)>& onOpen) {
        return WithDialog<CTemplateDlg>(
            &Find, [] { MainWndFrame::Instance().Send(plat::WM_COMMAND, kCmdEditTemplate, 0); }, onOpen);
    }

    // Presses soft key F1 or F2 of `dialog` and chooses `text` in its menu by keys.
    static void UseSoftKey(DlgBase& dialog, Qt::Key key, const QString& text) {
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(dialog.Widget(), key); },
                              [&](QMenu& menu) { ChooseByKeys(menu, text); }))
            << text.toStdString();
        PumpPendingMessages();
    }

    static Names RowLabels(TemplateBlock& block) {
        Names labels;
        for (int row = 0; row < block.RowCount(); ++row) labels.push_back(block.RowLabel(row).toStdU16String());
        return labels;
    }

    // A tap on `part` of `row` of `block`.
    static void TapRow(CTemplateDlg& dialog, TemplateBlock& block, int row, BlockPart part) {
        FormWindow& form = *dialog.Form();
        QPoint at = form.PartPoint(block, TemplateBlock::ElementOfRow(row), part);
        if (part == BlockPart::Value)
            at = form.CellPoint(block, block.CellsOf(TemplateBlock::ElementOfRow(row)).front());
        QTest::mouseClick(&form, Qt::LeftButton, {}, at);
    }

    static bool Focused(CTemplateDlg& dialog, int group) {
        return dialog.Form()->Current().block == dialog.BlockOf(group) && dialog.BlockOf(group) != nullptr;
    }

    // The template as the file holds it now; none when there is no readable file.
    static std::optional<std::vector<uint8_t>> FileTemplate() {
        ContactTemplate stored;
        if (!stored.Load(TemplateFilePath())) return std::nullopt;
        return stored.ToBytes();
    }
};

TEST_F(TemplateEditor, OkFromTheMainMenuReplacesTheTemplateWritesItAndThePreviewFollows) {
    ContactsFrame& frame = Start();
    Add({{kFieldFirst, u"Anna"}, {kFieldWorkPhone, u"111"}, {kFieldMobile, u"222"}});
    ASSERT_TRUE(WaitFor([&] { return frame.Preview().Model().Lines().GetSize() >= 2; }));
    EXPECT_EQ(frame.Preview().Model().Lines()[0].label, Str(u"Work"));

    EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
        EXPECT_EQ(dialog.Caption(), "Template");
        UseSoftKey(dialog, Qt::Key_F1, "Web");
        ASSERT_NE(dialog.BlockOf(kGroupWeb), nullptr);
        EXPECT_TRUE(Focused(dialog, kGroupWeb)) << "the new block has the keyboard";
        // Work and Mobile change places: the label popups, one by keys, one by a tap.
        TemplateBlock& phones = *dialog.BlockOf(kGroupPhone);
        FormWindow& form = *dialog.Form();
        form.MoveTo({&phones, -1, TemplateBlock::ElementOfRow(0)});
        EXPECT_EQ(QApplication::focusWidget(), &form);
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(&form, Qt::Key_Space); },
                              [&](QMenu& menu) { ChooseByKeys(menu, "Mobile"); }));
        EXPECT_TRUE(WithPopup([&] { TapRow(dialog, phones, 2, BlockPart::Label); },
                              [&](QMenu& menu) { Choose(menu, "Work"); }));
        EXPECT_EQ(RowLabels(phones), (Names{u"Mobile", u"Home", u"Work"}));
        UseSoftKey(dialog, Qt::Key_F2, "OK");
    }));
    const ContactTemplate& now = frame.Template();
    EXPECT_TRUE(now.IsGroupShown(kGroupWeb));
    EXPECT_EQ(OrderNames(now, kGroupPhone), (Names{u"Mobile", u"Home phone", u"Work phone"}));
    EXPECT_EQ(FileTemplate(), now.ToBytes()) << "the file holds the template in use";
    EXPECT_EQ(frame.Preview().Model().Lines()[0].label, Str(u"Mobile")) << "the preview follows at once";
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(TemplateEditor, CancelEscapeAndAnUnwritableFileKeepWhatIsStored) {
    ContactsFrame& frame = Start();
    const std::vector<uint8_t> before = frame.Template().ToBytes();
    const std::vector<std::pair<const char*, std::function<void(CTemplateDlg&)>>> ends = {
        {"Cancel", [](CTemplateDlg& dialog) { UseSoftKey(dialog, Qt::Key_F2, "Cancel"); }},
        {"Escape", [](CTemplateDlg& dialog) { QTest::keyClick(dialog.Widget(), Qt::Key_Escape); }},
    };
    for (const auto& [name, ending] : ends) {
        SCOPED_TRACE(name);
        const std::function<void(CTemplateDlg&)>& end = ending;  // a binding a lambda may capture
        EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
            dialog.OnFieldsCommand(FieldsMenuItems()[5].command);  // Phone off
            dialog.ResetToDefaults();
            dialog.OnFieldsCommand(FieldsMenuItems()[6].command);  // E-mail off
            ASSERT_EQ(dialog.BlockOf(kGroupEmail), nullptr);
            end(dialog);
        }));
        EXPECT_EQ(frame.Template().ToBytes(), before);
        EXPECT_EQ(FileTemplate(), std::nullopt) << "nothing was written";
    }

    // The file's place is taken by a folder: the template is used but said to be unsaved.
    std::filesystem::create_directories(device_.Host(TemplateFilePath().View()) / "blocker");
    EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
        dialog.OnFieldsCommand(FieldsMenuItems()[6].command);
        UseSoftKey(dialog, Qt::Key_F2, "OK");
    }));
    EXPECT_FALSE(frame.Template().IsGroupShown(kGroupEmail));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_NE(boxes_.Boxes()[0].text.find(u"could not be saved"), std::u16string::npos);
}

TEST_F(TemplateEditor, FieldsMenuFlipsFieldsAndGroupsAndDefaultStartsOver) {
    Start();
    EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
        const auto checked = [&](const char16_t* text) {
            for (const MenuItem& item : dialog.FieldsMenu()) {
                if (item.text == Str(text)) return item.IsChecked();
            }
            ADD_FAILURE() << "no item";
            return false;
        };
        EXPECT_TRUE(checked(u"Title"));
        EXPECT_FALSE(checked(u"Suffix"));
        EXPECT_FALSE(checked(u"Other"));
        UseSoftKey(dialog, Qt::Key_F1, "Suffix");
        EXPECT_TRUE(checked(u"Suffix"));
        // The name block lists the fields shown, or the one name field in place of the parts.
        TemplateBlock& name = *dialog.BlockOf(kGroupName);
        const auto listed = [&] {
            QStringList fields;
            for (int element = 1; element < name.ElementCount(); ++element)
                fields << name.ElementLabel(element);
            return fields;
        };
        EXPECT_TRUE(listed().contains("Suffix"));
        EXPECT_TRUE(Focused(dialog, kGroupName)) << "the name block has the keyboard";
        EXPECT_EQ(QApplication::focusWidget(), dialog.Form());
        QTest::keyClick(dialog.Form(), Qt::Key_Space);
        EXPECT_TRUE(name.NameColl());
        EXPECT_FALSE(listed().contains("Suffix")) << "the full name stands for the parts";
        EXPECT_TRUE(name.ElementValue(name.ElementCount() - 1).endsWith("Name as one field"));

        UseSoftKey(dialog, Qt::Key_F1, "Other");
        ASSERT_NE(dialog.BlockOf(kGroupOther), nullptr);
        EXPECT_EQ(RowLabels(*dialog.BlockOf(kGroupOther)), (Names{u"Nickname", u"Account", u"Cust.ID", u"Govt.ID"}));
        UseSoftKey(dialog, Qt::Key_F1, "Phone");
        EXPECT_EQ(dialog.BlockOf(kGroupPhone), nullptr);
        EXPECT_FALSE(checked(u"Phone"));
        EXPECT_TRUE(dialog.BlockOf(kGroupName)->NameColl()) << "the form was read before the rebuild";

        UseSoftKey(dialog, Qt::Key_F2, "Default");
        EXPECT_EQ(dialog.BlockOf(kGroupOther), nullptr);
        EXPECT_EQ(RowLabels(*dialog.BlockOf(kGroupPhone)), (Names{u"Work", u"Home", u"Mobile"}));
        EXPECT_FALSE(checked(u"Suffix"));
        UseSoftKey(dialog, Qt::Key_F2, "OK");
    }));
    ContactTemplate defaults;
    defaults.ResetToDefaults();
    ContactTemplate viaFile;
    viaFile.ReadFrom(defaults.ToBytes());
    EXPECT_EQ(FileTemplate(), viaFile.ToBytes());
}

TEST_F(TemplateEditor, RowsCustomLabelsTypesAndFormatsReachTheTemplate) {
    ContactsFrame& frame = Start();
    const AddressFormatTable& formats = AddressFormatTable::Instance();
    int australia = -1;
    for (int index = 0; index < formats.GetSize(); ++index) {
        if (formats.FormatAt(index)->name == Str(u"Australia")) australia = index;
    }
    ASSERT_GE(australia, 0);
    CTemplateDlg* open = nullptr;
    const auto typeLabel = [&](TemplateBlock& block, int row, const QString& text) {
        EXPECT_TRUE(WithDialog<LabelPromptDlg>([] { return OpenDialog<LabelPromptDlg>(); },
                                               [&] {
                                                   EXPECT_TRUE(WithPopup(
                                                       [&] { TapRow(*open, block, row, BlockPart::Label); },
                                                       [&](QMenu& menu) { Choose(menu, "Custom..."); }));
                                               },
                                               [&](LabelPromptDlg& prompt) {
                                                   prompt.Field()->selectAll();
                                                   QTest::keyClicks(prompt.Field(), text);
                                                   QTest::keyClick(prompt.Widget(), Qt::Key_F1);
                                               }));
    };
    EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
        open = &dialog;
        TemplateBlock& phones = *dialog.BlockOf(kGroupPhone);
        TapRow(dialog, phones, 2, BlockPart::SecondButton);
        ASSERT_EQ(phones.RowCount(), 4);
        EXPECT_EQ(phones.RowLabel(3), "Home fax") << "a new row takes the first label no row has";
        EXPECT_EQ(dialog.Form()->Current(), (FormWindow::Stop{&phones, -1, TemplateBlock::ElementOfRow(3)}));
        typeLabel(phones, 3, "Boat");
        typeLabel(phones, 1, "[Phone]");  // the file would read it as a section
        EXPECT_EQ(RowLabels(phones), (Names{u"Work", u"Home", u"Mobile", u"Boat"}));
        TapRow(dialog, phones, 0, BlockPart::FirstButton);
        EXPECT_EQ(RowLabels(phones), (Names{u"Home", u"Mobile", u"Boat"}));

        TemplateBlock& messaging = *dialog.BlockOf(kGroupMessaging);
        EXPECT_TRUE(WithPopup([&] { TapRow(dialog, messaging, 0, BlockPart::Value); },
                              [&](QMenu& menu) { Choose(menu, "ICQ"); }));
        TemplateBlock& addresses = *dialog.BlockOf(kGroupAddress);
        EXPECT_TRUE(WithPopup([&] { TapRow(dialog, addresses, 0, BlockPart::Value); },
                              [&](QMenu& menu) { Choose(menu, "Australia"); }));
        // Screen readers read each row as its label, with its value or the block's hint, and the block.
        const auto read = [&](TemplateBlock& block, int row) {
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(dialog.Form());
            for (int index = 0; index < reader->childCount(); ++index) {
                const QRect rect = reader->child(index)->rect();
                const QPoint at =
                    dialog.Form()->PartPoint(block, TemplateBlock::ElementOfRow(row), BlockPart::Label);
                if (rect.contains(dialog.Form()->mapToGlobal(at))) return reader->child(index);
            }
            return static_cast<QAccessibleInterface*>(nullptr);
        };
        QAccessibleInterface* type = read(messaging, 0);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(type->text(QAccessible::Name), "IM");
        EXPECT_EQ(type->text(QAccessible::Value), "ICQ");
        QAccessibleInterface* label = read(phones, 2);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(QAccessible::Name), "Boat");
        EXPECT_EQ(label->text(QAccessible::Description), "Phone");
        UseSoftKey(dialog, Qt::Key_F2, "OK");
    }));
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_NE(boxes_.Boxes()[0].text.find(u"cannot begin with"), std::u16string::npos);
    ContactTemplate stored;
    ASSERT_TRUE(stored.Load(TemplateFilePath()));
    EXPECT_EQ(OrderNames(stored, kGroupPhone), (Names{u"Home phone", u"Mobile", u"Boat"}));
    EXPECT_EQ(stored.Group(kGroupMessaging)->msgTypeNames[stored.MsgTypeOf(0)], Str(u"ICQ"));
    EXPECT_EQ(stored.AddrFormatOf(0), australia);
    EXPECT_EQ(stored.ToBytes(), frame.Template().ToBytes());
}

TEST_F(TemplateEditor, FromTheContactEditorTheFormFollowsTheTemplateAndKeepsWhatIsTyped) {
    ContactsFrame& frame = Start();
    const uint32_t anna = Add({{kFieldFirst, u"Anna"}, {kFieldMobile, u"222"}});
    EXPECT_TRUE(Editing(frame, anna, [&](ContactEditDlg& editor) {
        ASSERT_EQ(editor.BlockOf(kGroupWeb), nullptr);
        FieldBlock& names = *editor.BlockOf(kGroupName);
        editor.Form()->MoveTo({&names, names.NameCell(kNameFirst), -1});
        QLineEdit& first = *editor.Form()->LineEditor();
        first.selectAll();
        QTest::keyClicks(&first, "Annabel");
        EXPECT_TRUE(WithDialog<CTemplateDlg>(
            &Find, [&] { UseSoftKey(editor, Qt::Key_F2, "Edit Contact Template..."); },
            [&](CTemplateDlg& dialog) {
                UseSoftKey(dialog, Qt::Key_F1, "Web");
                UseSoftKey(dialog, Qt::Key_F2, "OK");
            }));
        ASSERT_NE(editor.BlockOf(kGroupWeb), nullptr) << "the form was built again under the new template";
        FieldBlock& rebuilt = *editor.BlockOf(kGroupName);
        EXPECT_EQ(rebuilt.CellText(rebuilt.Cells()[rebuilt.NameCell(kNameFirst)]), "Annabel");
        // OK now saves what was typed before the rebuild.
        UseSoftKey(editor, Qt::Key_F2, "OK");
    }));
    const Contact stored = Stored(anna);
    EXPECT_EQ(stored.GetText(kFieldFirst), Str(u"Annabel"));
    EXPECT_EQ(stored.GetText(kFieldMobile), Str(u"222"));
    EXPECT_TRUE(frame.Template().IsGroupShown(kGroupWeb));
    EXPECT_EQ(FileTemplate(), frame.Template().ToBytes());
}

class TemplateEditorShots : public TemplateEditor, public ::testing::WithParamInterface<int> {};

TEST_P(TemplateEditorShots, DialogAndFieldsMenu) {
    Start(GetParam());
    const QString dpi = QString::number(GetParam());
    EXPECT_TRUE(FromMainMenu([&](CTemplateDlg& dialog) {
        ShootWindow("template_dialog_" + dpi + "dpi");
        // Tab takes the keyboard down the form, which scrolls along.
        while (!Focused(dialog, kGroupAddress)) {
            const FormWindow::Stop before = dialog.Form()->Current();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_FALSE(dialog.Form()->Current() == before);
        }
        ShootWindow("template_dialog_lower_" + dpi + "dpi");
        EXPECT_TRUE(WithPopup([&] { QTest::keyClick(dialog.Widget(), Qt::Key_F1); },
                              [&](QMenu& menu) {
                                  SaveWithPopups(*MainWndFrame::Instance().Widget(), {&menu},
                                                 "template_fields_menu_" + dpi + "dpi");
                                  menu.close();
                              }));
        QTest::keyClick(dialog.Widget(), Qt::Key_Escape);
    }));
}

INSTANTIATE_TEST_SUITE_P(Dpi, TemplateEditorShots, ::testing::Values(96, 192));

}  // namespace
