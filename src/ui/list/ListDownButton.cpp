#include "ui/list/ListDownButton.h"

#include <QPainter>
#include <QPolygon>
#include <QWidget>

bool ListDownButton::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(kClassName, u"", &parent, rect)) return false;
    Widget()->setFocusPolicy(Qt::NoFocus);
    Invalidate();
    return true;
}

void ListDownButton::Paint(QPainter& painter, const QRect& exposed) {
    const QRect area = Widget()->rect();
    painter.fillRect(exposed, QColor(230, 230, 230));
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const int half = std::max(2, area.width() / 5);
    const QPoint centre = area.center();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({QPoint(centre.x() - half, centre.y() - half / 2), QPoint(centre.x() + half, centre.y() - half / 2),
                                  QPoint(centre.x(), centre.y() + half / 2 + 1)}));
}
