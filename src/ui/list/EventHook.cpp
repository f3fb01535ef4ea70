#include "ui/list/EventHook.h"

#include <QWidget>

#include "ui/toolkit/Guard.h"

EventHook::EventHook(QWidget& widget, Handler handler) : QObject(&widget), handler_(std::move(handler)) {
    widget.installEventFilter(this);
}

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
    bool consumed = false;
    if (watched == parent()) RunGuarded([&] { consumed = handler_(*event); }, "EventHook");
    return consumed;
}
