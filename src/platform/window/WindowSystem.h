#pragma once
// The window system of this process on the current device: its windows, its port (listening
// socket) and its outbox. When the current device changes, or in a forked child, a new one takes
// over and the old one lets its windows go.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/window/LocalWindows.h"
#include "platform/window/Outbox.h"
#include "platform/window/ProcessIdentity.h"
#include "platform/window/WindowDirectory.h"
#include "platform/window/WireFrame.h"

namespace plat {

class MessagePort;

class WindowSystem : public std::enable_shared_from_this<WindowSystem> {
public:
    // The window system of the current device; callers hold it for the length of their call.
    static std::shared_ptr<WindowSystem> Current();
    // Ends the current one: its windows go, its socket and entries are removed.
    static void Shutdown();

    WindowSystem(uint64_t generation, ProcessIdentity self);
    ~WindowSystem();

    HWND Create(std::u16string_view className, WndProc proc, HWND parent, void* createParams,
                std::u16string_view title);
    [[nodiscard]] bool Destroy(HWND window);
    [[nodiscard]] bool Exists(HWND window);
    HWND Find(std::u16string_view className);
    // Every top-level window of the device whose owner still runs.
    std::vector<HWND> TopLevel();
    [[nodiscard]] bool Post(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] bool Send(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam, int timeoutMs,
                            LRESULT& result);
    [[nodiscard]] bool Foreground(HWND markedWindow);
    uint32_t RegisterMessage(std::u16string_view name);

    LocalWindows& Windows() { return *windows_; }
    // Lets the windows go; `removeFiles` also removes their entries and the socket (not in a
    // forked child: they are its parent's).
    void Release(bool removeFiles);

private:
    WindowDirectory* Directory();
    [[nodiscard]] bool EnsurePort();
    std::optional<WireFrame> HandleFrame(const WireFrame& frame);
    std::optional<WireFrame> HandleSend(const WireFrame& frame);
    // The listed entry of a window of another process; fails with the last error set.
    std::optional<WindowEntry> RemoteEntry(HWND window);
    [[nodiscard]] bool PostFrame(HWND window, const WireFrame& frame);
    uint64_t generation_;
    ProcessIdentity self_;
    std::unique_ptr<WindowDirectory> directory_;
    bool directoryTried_ = false;
    std::shared_ptr<LocalWindows> windows_ = std::make_shared<LocalWindows>();
    std::unique_ptr<MessagePort> port_;
    Outbox outbox_;
};

// Records a foreground request for a window of this process and hands it to the handler.
void RecordForegroundRequest(HWND markedWindow);

}  // namespace plat
