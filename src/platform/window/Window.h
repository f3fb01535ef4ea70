#pragma once
// Windows and messages between the processes of one device. A window belongs to the process that
// created it and is listed in the device namespace by handle and class, so any process of the
// device can find it, post or send to it and ask whether it still exists; a window whose process
// has ended no longer exists. Messages to a window are handled by its procedure on its process's
// user-interface thread (the thread that runs the Qt event loop): sent messages at once, posted
// ones from the event loop in posting order. Failures leave the thread's last error
// (plat::GetLastError; the codes are in Messages.h).
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/window/Messages.h"
#include "platform/window/WindowTypes.h"

namespace plat {

// How long SendMessage waits for another process to answer.
inline constexpr int kSendMessageTimeoutMs = 10000;

// Creates a window of this process on the user-interface thread (a Qt application object is
// created when none exists). `className` has 1 to 256 UTF-16 units; `parent` is 0 for a
// top-level window (found by FindWindow) or a window of this process. The procedure gets
// WM_CREATE first (lParam: a CREATESTRUCT*); when it answers -1 the window is destroyed again and
// 0 is returned. Hidden message windows and the screens' windows are both made with this.
HWND CreateWindow(std::u16string_view className, std::u16string_view title, WndProc proc, HWND parent = 0,
                  void* createParams = nullptr);

// Sends WM_DESTROY, destroys the window's children, then removes the window; posted messages
// still waiting for it are dropped. Only the owning process may destroy a window.
[[nodiscard]] bool DestroyWindow(HWND window);

[[nodiscard]] bool IsWindow(HWND window);

// The most recently created top-level window of the class on the device (any title); 0 if none.
HWND FindWindow(std::u16string_view className);

// Queues the message for the window. Parameters to another process must fit in 32 bits
// (WireFrame.h says how they arrive); WM_COPYDATA cannot be posted.
[[nodiscard]] bool PostMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);

// Posts the message to every top-level window of the device, this process's included, as a
// message sent to all windows is delivered where no single receiver is known. True when every
// window took it (also when there is none).
[[nodiscard]] bool BroadcastMessage(uint32_t message, WPARAM wParam, LPARAM lParam);

// Calls the window's procedure and returns its result: directly for a window of this process,
// else through the window's process, waiting at most kSendMessageTimeoutMs (0 on failure). While
// it waits, this process keeps handling the messages sent to its own windows. For WM_COPYDATA,
// lParam points to a COPYDATASTRUCT whose bytes travel with the message.
LRESULT SendMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
// The same with a chosen time-out; false (ERROR_TIMEOUT, ERROR_INVALID_WINDOW_HANDLE, ...) when
// no result came back.
[[nodiscard]] bool SendMessageTimeout(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam,
                                      int timeoutMs, LRESULT* result);

// Asks for the window to come to the foreground; a handle with its lowest bit set asks for its
// owned windows too. The request is recorded in the window's process, which hands it to its
// foreground handler from its event loop.
[[nodiscard]] bool SetForegroundWindow(HWND window);

struct ForegroundRequest {
    HWND window = 0;
    bool withOwned = false;
};
using ForegroundHandler = std::function<void(const ForegroundRequest&)>;
void SetForegroundHandler(ForegroundHandler handler);
// The last request recorded for a window of this process.
std::optional<ForegroundRequest> LastForegroundRequest();

// The device-wide number of a message name (0xC000 to 0xFFFF), the same in every process of the
// device; names compare without regard to case. 0 on failure.
uint32_t RegisterWindowMessage(std::u16string_view name);

}  // namespace plat
