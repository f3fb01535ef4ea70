#include "ui/toolkit/MessageLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <initializer_list>
#include <vector>

namespace {

// Swallows the events of the given types while it is installed.
class EventDrain : public QObject {
public:
    explicit EventDrain(std::initializer_list<QEvent::Type> types) : types_(types) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EventDrain() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        for (const QEvent::Type type : types_) {
            if (event->type() == type) return true;
        }
        return false;
    }

private:
    std::vector<QEvent::Type> types_;
};

bool g_loopRunning = false;

}  // namespace

void PumpPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void FlushKeyboardInput() {
    const EventDrain drain{QEvent::KeyPress, QEvent::KeyRelease, QEvent::ShortcutOverride};
    PumpPendingMessages();
}

void FlushMouseInput() {
    const EventDrain drain{QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                           QEvent::MouseMove, QEvent::Wheel};
    PumpPendingMessages();
}

int RunMessageLoop() {
    g_loopRunning = true;
    const int code = QCoreApplication::exec();
    g_loopRunning = false;
    return code;
}

void PostQuitMessage(int exitCode) {
    if (!g_loopRunning) return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}
