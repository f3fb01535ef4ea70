#include "ui/frame/InfoWnd.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/toolkit/PopupMenu.h"

bool InfoWnd::ShowText(const Str& text) {
    text_ = ToQString(text);
    if (label_ != nullptr && IsOpen()) {
        label_->setText(text_);
        Invalidate();
        return true;
    }
    return CreateModeless(owner_);
}

bool InfoWnd::OnInitContent() {
    label_ = new QLabel(text_, Widget());
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    Content()->addStretch(1);
    Content()->addWidget(label_);
    Content()->addStretch(1);
    return true;
}
