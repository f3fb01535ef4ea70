#include "ui/toolkit/WndWidget.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/window/Messages.h"
#include "ui/toolkit/Guard.h"
#include "ui/toolkit/Keys.h"
#include "ui/toolkit/WndImpl.h"

namespace {

plat::LPARAM SizeParam(const QSize& size) {
    return static_cast<plat::LPARAM>((static_cast<uint32_t>(size.height()) << 16) | (size.width() & 0xFFFF));
}

}  // namespace

WndWidget::WndWidget(WndImpl& owner, QWidget* parent) : QWidget(parent), owner_(&owner) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    holdTimer_.setSingleShot(true);
    holdTimer_.setInterval(kHoldMs);
    QObject::connect(&holdTimer_, &QTimer::timeout, this, [this] {
        held_ = true;
        // What threw was logged.
        if (owner_ != nullptr) (void)RunGuarded([this] { owner_->OnTapAndHold(pressAt_); }, "WndWidget");
    });
}

void WndWidget::Detach() {
    owner_ = nullptr;
    holdTimer_.stop();
}

void WndWidget::paintEvent(QPaintEvent* event) {
    if (owner_ == nullptr) return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (image_.size() != pixels) {
        image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&image_);
        painter.setClipRegion(event->region());
        painter.setFont(font());
        // What threw was logged.
        (void)RunGuarded([&] { owner_->Paint(painter, event->rect()); }, "WndWidget");
    }
    QPainter screen(this);
    for (const QRect& rect : event->region()) screen.drawImage(rect, image_, QRectF(rect.topLeft() * ratio, rect.size() * ratio));
}

void WndWidget::resizeEvent(QResizeEvent*) {
    if (owner_ == nullptr) return;
    (void)RunGuarded([this] { owner_->OnResize(size()); }, "WndWidget");  // what threw was logged
    owner_->Send(plat::WM_SIZE, 0, SizeParam(size()));
}

void WndWidget::keyPressEvent(QKeyEvent* event) {
    if (owner_ == nullptr) return;
    if (QWidget* target = owner_->KeysTarget(); target != nullptr && target != this) {
        target->setFocus();
        QKeyEvent handed(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                         static_cast<quint16>(event->count()));
        QCoreApplication::sendEvent(target, &handed);
        return;
    }
    const uint32_t key = VirtualKeyOf(*event);
    if (key != 0) owner_->Send(plat::WM_KEYDOWN, key, 0);
    for (const QChar c : event->text()) {
        if (c.isPrint() && owner_ != nullptr) owner_->Send(plat::WM_CHAR, c.unicode(), 0);
    }
}

void WndWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (owner_ != nullptr) owner_->Send(plat::WM_SETFOCUS, 0, 0);
}

void WndWidget::mousePressEvent(QMouseEvent* event) {
    if (owner_ == nullptr) return;
    pressAt_ = event->position().toPoint();
    held_ = false;
    if (event->button() == Qt::RightButton) {
        holdTimer_.stop();
        held_ = true;
        (void)RunGuarded([this] { owner_->OnTapAndHold(pressAt_); }, "WndWidget");  // what threw was logged
    } else if (event->button() == Qt::LeftButton) {
        holdTimer_.start();
    }
}

void WndWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (owner_ == nullptr || event->button() != Qt::LeftButton) return;
    holdTimer_.stop();
    if (!held_) (void)RunGuarded([this] { owner_->OnTap(pressAt_); }, "WndWidget");  // what threw was logged
    held_ = false;
}

void WndWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (owner_ == nullptr || event->type() != QEvent::ActivationChange || !isWindow()) return;
    owner_->Send(plat::WM_ACTIVATE, isActiveWindow() ? WA_ACTIVE : WA_INACTIVE, 0);
}

void WndWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (owner_ != nullptr) owner_->Send(plat::WM_CLOSE, 0, 0);
}
