#pragma once
// The main window with the contact editor open on a contact: OK and Cancel as the soft keys give
// them, values retyped as a person retypes them, the contact as the store holds it.
#include <QLineEdit>

#include "ui/edit/ContactEditDlg.h"
#include "ui/edit/FormBlockView.h"
#include "ui/edit/LabelPromptDlg.h"
#include "ui/list/ListScreen.h"

class ContactEditor : public ListScreen {
protected:
    static void Ok(ContactEditDlg& editor) { plat::PostMessage(editor.Hwnd(), plat::WM_COMMAND, plat::IDOK, 0); }
    static void Cancel(ContactEditDlg& editor) { plat::PostMessage(editor.Hwnd(), plat::WM_COMMAND, plat::IDCANCEL, 0); }

    // The row of `block` whose value is `text`; -1 when none.
    static int RowWith(FormBlockView& block, const QString& text) {
        for (int row = 0; row < block.RowCount(); ++row) {
            if (block.ValueEdit(row) != nullptr && block.ValueEdit(row)->text() == text) return row;
        }
        return -1;
    }

    static void Retype(QLineEdit& edit, const QString& text) {
        edit.setFocus();
        edit.selectAll();
        edit.insert(text);
    }

    // "Custom..." in the label popup of `row`, then `label` typed into the prompt.
    static void TypeCustomLabel(FormBlockView& block, int row, const QString& label) {
        EXPECT_TRUE(WithDialog<LabelPromptDlg>(
            [] { return dynamic_cast<LabelPromptDlg*>(WndImpl::Owning(QApplication::focusWidget())); },
            [&] {
                EXPECT_TRUE(WithPopup([&] { block.RunLabelPopup(row); }, [&](QMenu& menu) { Choose(menu, "Custom..."); }));
            },
            [&](LabelPromptDlg& prompt) {
                Retype(*prompt.Field(), label);
                plat::PostMessage(prompt.Hwnd(), plat::WM_COMMAND, plat::IDOK, 0);
            }));
    }

    Contact Stored(uint32_t oid) {
        Contact contact;
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->GetContact(oid, contact));
        return contact;
    }
};
