#pragma once
// The short-lived watcher that follows the creation of an appointment: while the calendar shows
// the new item it polls for the calendar's window every 20 ms and, as soon as it is there, posts
// it WM_COMMAND 105; it gives up after 20000 ms. It runs on its own thread and touches no shared
// data; the poll and give-up times can be shortened (tests).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/window/WindowTypes.h"

class CalendarWatcher {
public:
    struct Timing {
        std::chrono::milliseconds poll{20};
        std::chrono::milliseconds giveUp{20000};
    };
    // The window to command, 0 while there is none.
    using Probe = std::function<plat::HWND()>;
    // What is done to the window once found.
    using Action = std::function<void(plat::HWND)>;

    // The calendar's window: the newest top-level window of class "Calendar" on the device.
    static plat::HWND FindCalendar();
    // Posts WM_COMMAND with identifier 105.
    static void CommandCalendar(plat::HWND window);

    CalendarWatcher() = default;
    ~CalendarWatcher() { Stop(); }
    CalendarWatcher(const CalendarWatcher&) = delete;
    CalendarWatcher& operator=(const CalendarWatcher&) = delete;

    // Starts watching (a watch still running is stopped first).
    void Start(Timing timing, Probe probe = FindCalendar, Action action = CommandCalendar);
    // Ends the watch and waits for its thread.
    void Stop();
    // Waits until the watch ended by itself (found the window or gave up). True when it found it.
    [[nodiscard]] bool Join();

private:
    void Run(Timing timing, Probe probe, Action action);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool found_ = false;
};
