#include "platform/window/LocalWindows.h"

#include "platform/window/UiLoop.h"

namespace plat {

void LocalWindows::Add(LocalWindow window) {
    const std::lock_guard lock(mutex_);
    const HWND handle = window.handle;
    windows_[handle] = std::make_shared<LocalWindow>(std::move(window));
}

bool LocalWindows::Contains(HWND handle) const {
    const std::lock_guard lock(mutex_);
    return windows_.count(handle) != 0;
}

std::optional<LRESULT> LocalWindows::Call(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<const WndProc> proc;
    {
        const std::lock_guard lock(mutex_);
        const auto found = windows_.find(handle);
        if (found == windows_.end()) return std::nullopt;
        proc = found->second->proc;  // kept alive while it runs, even if it destroys its window
    }
    return (*proc)(handle, message, wParam, lParam);
}

bool LocalWindows::BeginDestroy(HWND handle) {
    const std::lock_guard lock(mutex_);
    const auto found = windows_.find(handle);
    if (found == windows_.end() || found->second->destroying) return false;
    found->second->destroying = true;
    return true;
}

std::vector<HWND> LocalWindows::ChildrenOf(HWND parent) const {
    const std::lock_guard lock(mutex_);
    std::vector<HWND> children;
    for (const auto& [handle, window] : windows_) {
        if (window->parent == parent) children.push_back(handle);
    }
    return children;
}

void LocalWindows::Remove(HWND handle) {
    const std::lock_guard lock(mutex_);
    windows_.erase(handle);
}

std::vector<HWND> LocalWindows::TakeAll() {
    const std::lock_guard lock(mutex_);
    std::vector<HWND> handles;
    for (const auto& item : windows_) handles.push_back(item.first);
    windows_.clear();
    posted_.clear();
    return handles;
}

void LocalWindows::Post(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam) {
    const std::lock_guard lock(mutex_);
    posted_.push_back(Posted{handle, message, wParam, lParam});
    if (!drainScheduled_) ScheduleDrain();
}

// Called with the mutex held. One message per turn of the event loop, so that a procedure that
// runs a nested loop (a modal dialog) still gets the later messages.
void LocalWindows::ScheduleDrain() {
    drainScheduled_ = true;
    RunOnUiThread([weak = weak_from_this()] {
        if (const auto windows = weak.lock()) windows->DispatchOne();
    });
}

void LocalWindows::DispatchOne() {
    Posted next{};
    {
        const std::lock_guard lock(mutex_);
        drainScheduled_ = false;
        if (posted_.empty()) return;
        next = posted_.front();
        posted_.pop_front();
        if (!posted_.empty()) ScheduleDrain();
    }
    Call(next.handle, next.message, next.wParam, next.lParam);
}

}  // namespace plat
