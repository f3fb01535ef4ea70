#include "store/objectmodel/CalendarWatcher.h"

#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

constexpr uint32_t kCalendarCommand = 105;

}  // namespace

plat::HWND CalendarWatcher::FindCalendar() { return plat::FindWindow(u"Calendar"); }

void CalendarWatcher::CommandCalendar(plat::HWND window) {
    // A calendar that went away in between has nothing to do.
    (void)plat::PostMessage(window, plat::WM_COMMAND, kCalendarCommand, 0);
}

void CalendarWatcher::Start(Timing timing, Probe probe, Action action) {
    Stop();
    const std::lock_guard lock(mutex_);
    stop_ = false;
    found_ = false;
    thread_ = std::thread(&CalendarWatcher::Run, this, timing, std::move(probe), std::move(action));
}

void CalendarWatcher::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    (void)Join();  // whether the calendar was found matters to a waiting caller only
}

bool CalendarWatcher::Join() {
    if (thread_.joinable()) thread_.join();
    const std::lock_guard lock(mutex_);
    return found_;
}

void CalendarWatcher::Run(Timing timing, Probe probe, Action action) {
    const auto deadline = std::chrono::steady_clock::now() + timing.giveUp;
    std::unique_lock lock(mutex_);
    while (!stop_) {
        lock.unlock();
        const plat::HWND window = probe();
        if (window != 0) action(window);
        lock.lock();
        if (window != 0) {
            found_ = true;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) return;
        wake_.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now() + timing.poll),
                         [this] { return stop_; });
    }
}
