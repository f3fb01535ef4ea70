#include "ui/frame/KeysDlg.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/toolkit/UiStrings.h"

KeysDlg::KeysDlg() : DlgImpl(UiText(uistr::kKeys)) {}

bool KeysDlg::OnInitContent() {
    text_ = new QPlainTextEdit(UiText(uistr::kKeyMap), Widget());
    text_->setReadOnly(true);
    // Keyboard focus and a caret, so that the arrows and a screen reader walk it line by line.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setTabStopDistance(text_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 4);
    text_->setAccessibleName(Caption());
    Content()->addWidget(text_, 1);
    text_->setFocus();
    return true;
}
