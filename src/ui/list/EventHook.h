#pragma once
// EventHook: an event filter that hands the events of one widget to a function first, so a window
// can see what its widget does not turn into messages (focus, wheel, mouse moves, keypad keys).
// The function returns true to consume the event. A throw never crosses Qt's event loop.
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class EventHook : public QObject {
public:
    using Handler = std::function<bool(QEvent&)>;

    // Installs itself on `widget` and is deleted with it.
    EventHook(QWidget& widget, Handler handler);

protected:
    [[nodiscard]] bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

// An owner's hook on a widget, removed when the owner goes: the owner's window deletes its widget
// later than the owner (the deletion is deferred), and an event that reaches the widget in between
// must not run the handler of an owner that is gone. Declared as the owner's last member, it goes
// first, while everything the handler uses is still there.
class EventHookSlot {
public:
    EventHookSlot() = default;
    EventHookSlot(const EventHookSlot&) = delete;
    EventHookSlot& operator=(const EventHookSlot&) = delete;
    ~EventHookSlot() { delete hook_.data(); }

    // Hooks `widget` (a hook installed before is removed).
    void Install(QWidget& widget, EventHook::Handler handler);

private:
    QPointer<EventHook> hook_;  // owned by the widget, which may go first
};
