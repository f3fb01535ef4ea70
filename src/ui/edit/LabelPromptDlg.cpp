#include "ui/edit/LabelPromptDlg.h"

#include <QLineEdit>
#include <QVBoxLayout>

LabelPromptDlg::LabelPromptDlg(QString prompt, QString start) : DlgImpl(std::move(prompt)), start_(std::move(start)) {}

bool LabelPromptDlg::OnInitContent() {
    field_ = new QLineEdit(start_, Widget());
    field_->setAccessibleName(Caption());
    field_->selectAll();
    Content()->addWidget(field_);
    Content()->addStretch(1);
    field_->setFocus();
    return true;
}

bool LabelPromptDlg::OnOK() {
    text_ = field_->text();
    return true;
}
