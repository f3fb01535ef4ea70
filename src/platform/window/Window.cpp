#include "platform/window/Window.h"

#include <mutex>

#include "platform/window/LocalDispatch.h"
#include "platform/window/UiLoop.h"
#include "platform/window/WindowSystem.h"

namespace plat {

namespace {

struct ForegroundState {
    std::mutex mutex;
    ForegroundHandler handler;
    std::optional<ForegroundRequest> last;
};

ForegroundState& Foreground() {
    static ForegroundState state;
    return state;
}

// Leaves the last error at 0 after a success, so that a 0 result can be told from a failure.
template <typename T>
T Succeeded(T result, bool success) {
    if (success) SetLastError(ERROR_SUCCESS);
    return result;
}

}  // namespace

HWND CreateWindow(std::u16string_view className, std::u16string_view title, WndProc proc, HWND parent,
                  void* createParams) {
    const HWND window = WindowSystem::Current()->Create(className, std::move(proc), parent, createParams, title);
    return Succeeded(window, window != 0);
}

bool DestroyWindow(HWND window) {
    const bool done = WindowSystem::Current()->Destroy(window);
    return Succeeded(done, done);
}

bool IsWindow(HWND window) { return WindowSystem::Current()->Exists(window); }

HWND FindWindow(std::u16string_view className) { return WindowSystem::Current()->Find(className); }

bool PostMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    const bool done = WindowSystem::Current()->Post(window, message, wParam, lParam);
    return Succeeded(done, done);
}

bool BroadcastMessage(uint32_t message, WPARAM wParam, LPARAM lParam) {
    const std::shared_ptr<WindowSystem> system = WindowSystem::Current();
    bool all = true;
    for (const HWND window : system->TopLevel()) all = system->Post(window, message, wParam, lParam) && all;
    return Succeeded(all, all);
}

LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    return SendMessageTimeout(window, message, wParam, lParam, kSendMessageTimeoutMs, &result) ? result : 0;
}

bool SendMessageTimeout(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam, int timeoutMs,
                        LRESULT* result) {
    LRESULT answer = 0;
    const bool done = WindowSystem::Current()->Send(window, message, wParam, lParam, timeoutMs, answer);
    if (done && result != nullptr) *result = answer;
    return Succeeded(done, done);
}

bool SetForegroundWindow(HWND window) {
    const bool done = WindowSystem::Current()->Foreground(window);
    return Succeeded(done, done);
}

void SetForegroundHandler(ForegroundHandler handler) {
    ForegroundState& state = Foreground();
    const std::lock_guard lock(state.mutex);
    state.handler = std::move(handler);
}

std::optional<ForegroundRequest> LastForegroundRequest() {
    ForegroundState& state = Foreground();
    const std::lock_guard lock(state.mutex);
    return state.last;
}

void RecordForegroundRequest(HWND markedWindow) {
    const ForegroundRequest request{markedWindow & ~HWND{1}, (markedWindow & 1) != 0};
    ForegroundState& state = Foreground();
    {
        const std::lock_guard lock(state.mutex);
        state.last = request;
    }
    // The handler runs from the event loop, not inside the call that asked.
    RunOnUiThread([request] {
        ForegroundHandler handler;
        {
            const std::lock_guard lock(Foreground().mutex);
            handler = Foreground().handler;
        }
        if (handler) handler(request);
    });
}

uint32_t RegisterWindowMessage(std::u16string_view name) {
    const uint32_t number = WindowSystem::Current()->RegisterMessage(name);
    return Succeeded(number, number != 0);
}

std::optional<LRESULT> CallLocalWindow(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    return WindowSystem::Current()->Windows().Call(window, message, wParam, lParam);
}

bool IsLocalWindow(HWND window) { return WindowSystem::Current()->Windows().Contains(window); }

}  // namespace plat
