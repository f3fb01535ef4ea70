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
    if (!OnInitContent()) return false;
    GrowContentIfItStretches(*outer);
    return true;
}

// The content keeps its natural height above the soft keys unless one of its widgets was added
// with a stretch (a list, a note): then the content takes the whole height instead of the gap.
void DlgImpl::GrowContentIfItStretches(QVBoxLayout& outer) {
    for (int index = 0; index < content_->count(); ++index) {
        if (content_->stretch(index) == 0) continue;
        outer.setStretchFactor(content_, 1);
        const int gap = outer.indexOf(content_) + 1;
        if (gap < outer.count() && outer.itemAt(gap)->spacerItem() != nullptr) outer.setStretch(gap, 0);
        return;
    }
}

void DlgImpl::Paint(QPainter& painter, const QRect& exposed) {
    painter.fillRect(exposed, Widget()->palette().color(QPalette::Base));
}
