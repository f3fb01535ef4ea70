#include "ui/phone/CSpeedRenameDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/ui/MessageBox.h"
#include "platform/window/Messages.h"
#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CSpeedRenameDlg::CSpeedRenameDlg(const Str& current, std::vector<Str> candidates)
    : DlgImpl(UiText(uistr::kRename)), current_(current), candidates_(std::move(candidates)) {}

bool CSpeedRenameDlg::OnInitContent() {
    names_ = new QComboBox(Widget());
    names_->setEditable(true);
    names_->setInsertPolicy(QComboBox::NoInsert);
    names_->lineEdit()->setMaxLength(kMaxChars);
    for (const Str& candidate : candidates_) names_->addItem(ToQString(candidate));
    names_->setEditText(ToQString(current_));
    names_->setAccessibleName(UiText(uistr::kName));
    Content()->addWidget(new QLabel(UiText(uistr::kName), Widget()));
    Content()->addWidget(names_);
    Content()->addStretch(1);
    // Enter in the text confirms the box, as OK does (with the list open, it picks the name).
    QObject::connect(names_->lineEdit(), &QLineEdit::returnPressed, Widget(),
                     [this] { (void)Send(plat::WM_COMMAND, plat::IDOK, 0); });
    names_->setFocus();
    names_->lineEdit()->selectAll();
    return true;
}

bool CSpeedRenameDlg::OnOK() {
    text_ = FromQString(names_->currentText().trimmed());
    return true;
}
