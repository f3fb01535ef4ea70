#include "ui/list/SplitterWnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

bool SplitterWnd::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    Widget()->setCursor(Qt::SplitVCursor);
    Widget()->setFocusPolicy(Qt::NoFocus);
    hook_.Install(*Widget(), [this](QEvent& event) { return OnWidgetEvent(event); });
    return true;
}

bool SplitterWnd::OnWidgetEvent(QEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonPress:
            grabY_ = static_cast<QMouseEvent&>(event).position().toPoint().y();
            return true;
        case QEvent::MouseMove:
            if (grabY_ < 0) return false;
            onMoved_(Widget()->mapToParent(static_cast<QMouseEvent&>(event).position().toPoint()).y() -
                     grabY_);
            return true;
        case QEvent::MouseButtonRelease: grabY_ = -1; return true;
        default: return false;
    }
}

void SplitterWnd::Paint(QPainter& painter, const QRect& exposed) {
    const QRect area = Widget()->rect();
    painter.fillRect(exposed, QColor(200, 200, 200));
    painter.setPen(QColor(120, 120, 120));
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    const int middle = area.center().y();
    for (int dot = -2; dot <= 2; ++dot) painter.drawPoint(area.center().x() + dot * 4, middle);
}
