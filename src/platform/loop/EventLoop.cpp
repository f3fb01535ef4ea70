#include "platform/loop/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "platform/loop/LoopFailure.h"

namespace plat {

namespace {

constexpr int kPollMs = 10;

}  // namespace

void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "brevane";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives as long as the process
}

void ProcessEvents(int milliseconds) {
    EnsureApplication();
    RethrowLoopFailure();
    QCoreApplication::processEvents(QEventLoop::AllEvents, milliseconds);
    RethrowLoopFailure();
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    EnsureApplication();
    RethrowLoopFailure();
    if (done()) return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A failure of a loop call (or of `done` itself) ends the loop; it is raised below.
    const auto check = [&] {
        CallFromLoop([&] {
            if (done()) loop.quit();
        });
        if (LoopFailed()) loop.quit();
    };
    // Checked each time the loop has handled what was pending, and now and then for conditions
    // that no event of this process announces (a file another process writes).
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop, check);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, check);
    poll.start(kPollMs);
    timeout.start(timeoutMs);
    loop.exec();
    RethrowLoopFailure();
    return done();
}

}  // namespace plat
