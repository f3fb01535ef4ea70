#include "ui/frame/ProgressWnd.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/toolkit/MessageLoop.h"
#include "ui/toolkit/PopupMenu.h"

bool ProgressWnd::Create(const Str& title) {
    SetCaption(ToQString(title));
    return CreateModeless(owner_);
}

bool ProgressWnd::OnInitContent() {
    bar_ = new QProgressBar(Widget());
    bar_->setRange(1, kSteps);
    bar_->setValue(1);
    text_ = new QLabel(Widget());
    text_->setWordWrap(true);
    Content()->addStretch(1);
    Content()->addWidget(bar_);
    Content()->addWidget(text_);
    Content()->addStretch(1);
    return true;
}

void ProgressWnd::SetRange(int low, int high) {
    if (bar_ != nullptr && IsOpen()) bar_->setRange(low, high);
}

void ProgressWnd::SetText(const Str& text) {
    if (text_ != nullptr && IsOpen()) text_->setText(ToQString(text));
}

void ProgressWnd::Step() {
    if (bar_ == nullptr || !IsOpen()) return;
    bar_->setValue(std::min(bar_->value() + step_, bar_->maximum()));
    Invalidate();
    PumpPendingMessages();
}

int ProgressWnd::Position() const { return bar_ != nullptr && IsOpen() ? bar_->value() : 0; }

QString ProgressWnd::AccessibleText() const {
    return bar_ != nullptr ? QStringLiteral("%1 %2 / %3").arg(Caption()).arg(bar_->value()).arg(bar_->maximum()) : Caption();
}
