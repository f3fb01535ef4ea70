#pragma once
// What the window system needs of the user-interface thread's event loop, without Qt types:
// running work there later and watching sockets from it.
#include <functional>
#include <memory>

namespace plat {

// True when the process has its Qt application object.
[[nodiscard]] bool HasApplication();

// True on the thread that runs the process's Qt event loop (the application object's thread).
[[nodiscard]] bool IsUiThread();

// Runs `task` on the user-interface thread once its loop gets to it. Safe from any thread; the
// application object must exist. Like every call the loop makes, `task` and the watches' calls
// below run through CallFromLoop (LoopFailure.h).
void RunOnUiThread(std::function<void()> task);

// Calls `onReadable` on the user-interface thread whenever the descriptor can be read. The watch
// may be destroyed from within its own call.
class FdWatch {
public:
    FdWatch(int fd, std::function<void()> onReadable);
    ~FdWatch();
    FdWatch(const FdWatch&) = delete;
    FdWatch& operator=(const FdWatch&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Calls `shutdown` when the application object is destroyed (while its event loop still exists).
void AtApplicationExit(void (*shutdown)());

}  // namespace plat
