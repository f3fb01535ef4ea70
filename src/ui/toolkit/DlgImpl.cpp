#include "ui/toolkit/DlgImpl.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/toolkit/Dpi.h"

bool DlgImpl::OnInitDialog() {
    auto* outer = static_cast<QVBoxLayout*>(Widget()->layout());
    auto* caption = new QLabel(caption_, Widget());
    caption->setContentsMargins(ScaleX(4), ScaleY(2), ScaleX(4), ScaleY(2));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    content_ = new QVBoxLayout();
    content_->setContentsMargins(ScaleX(6), ScaleY(6), ScaleX(6), ScaleY(6));
    outer->insertWidget(0, caption);
    outer->insertLayout(1, content_);
    Widget()->setAccessibleName(caption_);
    return OnInitContent();
}

void DlgImpl::Paint(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, Widget()->palette().color(QPalette::Base));
}
