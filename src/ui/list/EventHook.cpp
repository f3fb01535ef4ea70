#include "ui/list/EventHook.h"

#include <QWidget>

#include "ui/toolkit/Guard.h"

EventHook::EventHook(QWidget& widget, Handler handler) : QObject(&widget), handler_(std::move(handler)) {
    widget.installEventFilter(this);
}

void EventHookSlot::Install(QWidget& widget, EventHook::Handler handler) {
    delete hook_.data();
    hook_ = new EventHook(widget, std::move(handler));
}

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
    bool consumed = false;
    // What threw was logged; the event is then not consumed.
    if (watched == parent()) (void)RunGuarded([&] { consumed = handler_(*event); }, "EventHook");
    return consumed;
}
