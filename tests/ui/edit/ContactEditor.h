#pragma once
// The main window with the contact editor open on a contact: OK and Cancel as the soft keys give
// them, values retyped as a person retypes them, the contact as the store holds it.
#include <QLineEdit>

#include "ui/edit/ContactEditDlg.h"
#include "ui/edit/FormBlockView.h"
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

    Contact Stored(uint32_t oid) {
        Contact contact;
        EXPECT_TRUE(MainWndFrame::Instance().Clients()->GetContact(oid, contact));
        return contact;
    }
};
