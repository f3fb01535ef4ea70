#include "ui/list/TextPane.h"

#include <QPainter>
#include <QWidget>

#include "ui/toolkit/Dpi.h"

bool TextPane::Create(WndImpl& parent, const QRect& rect) {
    if (!CreateWnd(className_, u"", &parent, rect)) return false;
    Widget()->setFocusPolicy(Qt::ClickFocus);
    return true;
}

void TextPane::SetLines(const QStringList& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    Invalidate();
}

void TextPane::Paint(QPainter& painter, const QRect& exposed) {
    const QRect area = Widget()->rect();
    painter.fillRect(exposed, QColor(248, 248, 248));
    painter.setPen(QColor(180, 180, 180));
    painter.drawLine(area.topLeft(), area.topRight());
    const QFontMetrics metrics(painter.font());
    int y = ScaleY(3);
    for (int index = 0; index < lines_.size(); ++index) {
        QFont font = Widget()->font();
        font.setBold(index == 0);
        painter.setFont(font);
        painter.setPen(index == 0 ? Qt::black : QColor(66, 132, 198));
        const QRect line(ScaleX(4), y, area.width() - ScaleX(8), metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QFontMetrics(font).elidedText(lines_[index], Qt::ElideRight, line.width()));
        y += metrics.height() + ScaleY(2);
    }
}
