#include "ui/toolkit/MessageLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <initializer_list>
#include <vector>

#include "platform/loop/LoopFailure.h"

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

// A failure raised in one of the platform's loop calls (a timer, a store notification) ends the
// loop and is raised here, outside Qt, for the program's entry to end on (LoopFailure.h).
int RunMessageLoop() {
    g_loopRunning = true;
    plat::SetLoopFailureHandler([] { QCoreApplication::exit(1); });
    const int code = QCoreApplication::exec();
    plat::SetLoopFailureHandler(nullptr);
    g_loopRunning = false;
    plat::RethrowLoopFailure();
    return code;
}

void PostQuitMessage(int exitCode) {
    if (!g_loopRunning) return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}
