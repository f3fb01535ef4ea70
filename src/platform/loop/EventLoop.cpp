#include "platform/loop/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace plat {

void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "brevane";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives as long as the process
}

void ProcessEvents(int milliseconds) {
    EnsureApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents, milliseconds);
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    EnsureApplication();
    if (done()) return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Checked each time the loop has handled what was pending and is about to wait again.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
        if (done()) loop.quit();
    });
    timeout.start(timeoutMs);
    loop.exec();
    return done();
}

}  // namespace plat
