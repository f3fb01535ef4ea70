#include "ui/phone/CEditCardDlg.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/toolkit/PopupMenu.h"
#include "ui/toolkit/UiStrings.h"

CEditCardDlg::CEditCardDlg(const CallingCard& card, const Str& sourcePhone)
    : DlgImpl(UiText(uistr::kCallingCard)), model_(card, sourcePhone) {}

bool CEditCardDlg::OnInitContent() {
    auto* form = new QFormLayout;
    name_ = new QLineEdit(ToQString(model_.Name()), Widget());
    format_ = new QLineEdit(ToQString(model_.Format()), Widget());
    for (QLineEdit* field : {name_, format_}) field->setMaxLength(EditCardModel::kMaxChars);
    name_->setAccessibleName(UiText(uistr::kCardName));
    format_->setAccessibleName(UiText(uistr::kCardFormat));
    form->addRow(UiText(uistr::kCardName), name_);
    form->addRow(UiText(uistr::kCardFormat), format_);
    auto* help = new QLabel(UiText(EditCardModel::kStrHelp), Widget());
    auto* source = new QLabel(ToQString(model_.SourcePhone()), Widget());
    formatted_ = new QLabel(ToQString(model_.FormattedPhone()), Widget());
    formatted_->setAccessibleName(UiText(uistr::kFormattedPhone));
    form->addRow(help);
    form->addRow(UiText(uistr::kSourcePhone), source);
    form->addRow(UiText(uistr::kFormattedPhone), formatted_);
    Content()->addLayout(form);
    Content()->addStretch(1);
    QObject::connect(name_, &QLineEdit::textChanged, Widget(), [this](const QString& text) { model_.SetName(FromQString(text)); });
    QObject::connect(format_, &QLineEdit::textChanged, Widget(), [this](const QString& text) {
        model_.SetFormat(FromQString(text));
        formatted_->setText(ToQString(model_.FormattedPhone()));
    });
    name_->setFocus();
    return true;
}

bool CEditCardDlg::OnOK() {
    if (model_.Ok()) return true;
    if (model_.SelectName()) {
        name_->setFocus();
        name_->selectAll();
    }
    return false;
}
