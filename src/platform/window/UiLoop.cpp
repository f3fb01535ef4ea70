#include "platform/window/UiLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include "platform/loop/LoopFailure.h"

namespace plat {

bool HasApplication() { return QCoreApplication::instance() != nullptr; }

bool IsUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && app->thread() == QThread::currentThread();
}

void RunOnUiThread(std::function<void()> task) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [task = std::move(task)] { CallFromLoop(task); }, Qt::QueuedConnection);
}

struct FdWatch::Impl {
    QPointer<QSocketNotifier> notifier;
};

FdWatch::FdWatch(int fd, std::function<void()> onReadable) : impl_(std::make_unique<Impl>()) {
    impl_->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(impl_->notifier.data(), &QSocketNotifier::activated, impl_->notifier.data(),
                     [onReadable = std::move(onReadable)] { CallFromLoop(onReadable); });
}

FdWatch::~FdWatch() {
    if (impl_->notifier.isNull()) return;
    // Deleting a notifier inside its own signal is unsafe: switch it off now, delete it later.
    impl_->notifier->setEnabled(false);
    impl_->notifier->deleteLater();
}

void AtApplicationExit(void (*shutdown)()) { qAddPostRoutine(shutdown); }

}  // namespace plat
