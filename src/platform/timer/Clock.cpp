#include "platform/timer/Clock.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include "platform/loop/LoopFailure.h"
#include "platform/timer/TimerTable.h"
#include "platform/timer/Timers.h"

namespace plat {

namespace {

// Host time, and one single-shot Qt timer on the user-interface thread set to the earliest due
// time. The Qt timer belongs to the application object and goes with it.
class RealClock : public Clock {
public:
    ~RealClock() override { delete timer_.data(); }

    uint64_t NowMs() const override {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }

    void WakeAt(std::optional<uint64_t> dueMs) override {
        if (!dueMs) {
            if (timer_ != nullptr) timer_->stop();
            return;
        }
        if (timer_ == nullptr) {
            timer_ = new QTimer(QCoreApplication::instance());
            timer_->setSingleShot(true);
            timer_->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer_.data(), &QTimer::timeout, [] { CallFromLoop(FireDueTimers); });
        }
        const uint64_t now = NowMs();
        timer_->start(static_cast<int>(std::min<uint64_t>(*dueMs > now ? *dueMs - now : 0, INT32_MAX)));
    }

private:
    QPointer<QTimer> timer_;
};

std::unique_ptr<Clock>& Slot() {
    static std::unique_ptr<Clock> clock = std::make_unique<RealClock>();
    return clock;
}

}  // namespace

Clock& CurrentClock() { return *Slot(); }

std::unique_ptr<Clock> ExchangeClock(std::unique_ptr<Clock> clock) {
    if (!clock) clock = std::make_unique<RealClock>();
    std::unique_ptr<Clock>& slot = Slot();
    TimerTable::Instance().Rebase(slot->NowMs(), clock->NowMs());
    slot->WakeAt(std::nullopt);
    std::unique_ptr<Clock> previous = std::exchange(slot, std::move(clock));
    slot->WakeAt(TimerTable::Instance().NextDue());
    return previous;
}

}  // namespace plat
