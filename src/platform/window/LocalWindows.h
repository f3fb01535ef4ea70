#pragma once
// The windows of this process: their procedures, their parents, and the queue of messages posted
// to them, which the user-interface thread's event loop dispatches one at a time.
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/WindowTypes.h"

namespace plat {

struct LocalWindow {
    HWND handle = 0;
    HWND parent = 0;
    std::u16string className;
    std::shared_ptr<const WndProc> proc;
    bool destroying = false;
};

class LocalWindows : public std::enable_shared_from_this<LocalWindows> {
public:
    void Add(LocalWindow window);
    [[nodiscard]] bool Contains(HWND handle) const;
    // Calls the window's procedure on the calling thread; nothing when there is no such window.
    // The procedure may destroy its own window meanwhile.
    std::optional<LRESULT> Call(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam);
    // Marks the window as being destroyed; false when it is not here or already being destroyed.
    [[nodiscard]] bool BeginDestroy(HWND handle);
    std::vector<HWND> ChildrenOf(HWND parent) const;
    void Remove(HWND handle);
    // Takes every window away (the windows of a device this process no longer uses).
    std::vector<HWND> TakeAll();

    // Queues a message for the window; the event loop hands it to the procedure later, in posting
    // order. Safe from any thread. Messages for a window destroyed meanwhile are dropped.
    void Post(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam);

private:
    struct Posted {
        HWND handle;
        uint32_t message;
        WPARAM wParam;
        LPARAM lParam;
    };

    void ScheduleDrain();
    void DispatchOne();

    mutable std::mutex mutex_;
    std::map<HWND, std::shared_ptr<LocalWindow>> windows_;
    std::deque<Posted> posted_;
    bool drainScheduled_ = false;
};

}  // namespace plat
