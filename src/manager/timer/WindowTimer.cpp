#include "manager/timer/WindowTimer.h"

#include <utility>

#include "platform/timer/Timers.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

constexpr uintptr_t kTimerId = 1;

}  // namespace

WindowTimer::WindowTimer(std::u16string_view windowClass, std::function<void()> onDue)
    : windowClass_(windowClass), onDue_(std::move(onDue)) {}

WindowTimer::~WindowTimer() { Destroy(); }

bool WindowTimer::Create() {
    Destroy();
    window_ = plat::CreateWindow(windowClass_, u"",
                                 [this](plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM) {
                                     if (message == plat::WM_TIMER && wParam == kTimerId) {
                                         Stop();
                                         onDue_();
                                     }
                                     return plat::LRESULT{0};
                                 });
    return window_ != 0;
}

void WindowTimer::Destroy() {
    if (window_ == 0) return;
    Stop();
    (void)plat::DestroyWindow(window_);  // the window goes with its timer either way
    window_ = 0;
}

bool WindowTimer::Start(uint32_t delayMs) {
    return window_ != 0 && plat::SetTimer(window_, kTimerId, delayMs);
}

void WindowTimer::Stop() {
    if (window_ != 0) (void)plat::KillTimer(window_, kTimerId);  // a timer fires once; it may be gone already
}
