#include "manager/queue/ContactDBMsgStack.h"

#include "core/diag/ErrorLog.h"
#include "platform/timer/Timers.h"
#include "platform/window/Window.h"

ContactDBMsgStack::~ContactDBMsgStack() { Destroy(); }

bool ContactDBMsgStack::Create(std::function<void()> onQuiet) {
    Destroy();
    onQuiet_ = std::move(onQuiet);
    window_ = plat::CreateWindow(kWindowClass, u"", [this](plat::HWND, uint32_t message, plat::WPARAM wParam,
                                                        plat::LPARAM) { return Procedure(message, wParam); });
    return window_ != 0;
}

void ContactDBMsgStack::Destroy() {
    if (window_ == 0) return;
    (void)plat::KillTimer(window_, kTimerId);  // the window goes with its timers either way
    (void)plat::DestroyWindow(window_);
    window_ = 0;
}

void ContactDBMsgStack::Push(const QueuedChange& change) {
    entries_.Add(change);
    // Restarting replaces the due tick: a burst is handled once, after its last change.
    if (window_ != 0 && !plat::SetTimer(window_, kTimerId, kQuietMs))
        ErrorLog(u"Unable to set the queue's timer", "ContactDBMsgStack", __LINE__);
}

Array<QueuedChange> ContactDBMsgStack::Take() {
    Array<QueuedChange> taken = std::move(entries_);
    entries_ = Array<QueuedChange>();
    return taken;
}

plat::LRESULT ContactDBMsgStack::Procedure(uint32_t message, plat::WPARAM wParam) {
    if (message == plat::WM_TIMER && wParam == kTimerId) {
        (void)plat::KillTimer(window_, kTimerId);  // a timer fires once; it may be gone already
        if (onQuiet_) onQuiet_();
    }
    return 0;
}
