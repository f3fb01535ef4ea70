#include "ui/categories/CApCatAddDlg.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/PopupMenu.h"

CApCatAddDlg::CApCatAddDlg() : DlgImpl(ToQString(RequireStr(catfilter::kStrAddCategoryTitle))) {}

bool CApCatAddDlg::OnInitContent() {
    field_ = new QLineEdit(Widget());
    field_->setMaxLength(catfilter::CategoryAddDialog::kMaxNameChars);
    field_->setAccessibleName(Caption());
    Content()->addWidget(field_);
    Content()->addStretch(1);
    field_->setFocus();
    QObject::connect(field_, &QLineEdit::returnPressed, Widget(), [this] { Send(plat::WM_COMMAND, plat::IDOK, 0); });
    return true;
}

bool CApCatAddDlg::OnOK() {
    const std::u16string text = field_->text().toStdU16String();
    switch (model_.OnOk(text)) {
        case catfilter::CategoryAddDialog::Ok::Refused: return false;
        case catfilter::CategoryAddDialog::Ok::Empty: hasName_ = false; return true;
        case catfilter::CategoryAddDialog::Ok::Accepted: hasName_ = true; return true;
    }
    return false;
}
