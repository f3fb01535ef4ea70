#pragma once
// EventHook: an event filter that hands the events of one widget to a function first, so a window
// can see what its widget does not turn into messages (focus, wheel, mouse moves, keypad keys).
// The function returns true to consume the event. A throw never crosses Qt's event loop.
#include <QObject>
#include <functional>

class QWidget;

class EventHook : public QObject {
public:
    using Handler = std::function<bool(QEvent&)>;

    // Installs itself on `widget` and is deleted with it.
    EventHook(QWidget& widget, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};
