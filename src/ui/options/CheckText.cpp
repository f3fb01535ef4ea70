#include "ui/options/CheckText.h"

#include <QCheckBox>
#include <QMouseEvent>

CheckText::CheckText(const QString& text, QCheckBox& box, QWidget* parent) : QLabel(text, parent), box_(box) {
    setWordWrap(true);
    setBuddy(&box);
    setEnabled(box.isEnabled());
    box.installEventFilter(this);
}

void CheckText::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    if (!box_.isEnabled()) return;
    box_.setFocus(Qt::MouseFocusReason);
    box_.click();
}

bool CheckText::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &box_ && event->type() == QEvent::EnabledChange) setEnabled(box_.isEnabled());
    return QLabel::eventFilter(watched, event);
}
