#include "platform/shm/NamedMutex.h"

#include <chrono>
#include <thread>

#include "platform/device/Device.h"

namespace plat {

std::unique_ptr<NamedMutex> NamedMutex::Open(std::u16string_view name) {
    std::filesystem::path key = CurrentDevice().NamespacePath(name);
    return OpenAt(key);
}

std::unique_ptr<NamedMutex> NamedMutex::OpenAt(const std::filesystem::path& key) {
    std::unique_ptr<NamedMutex> mutex(new NamedMutex());
    std::filesystem::path file = key;
    file += ".mutex";
    if (!mutex->file_.Open(file)) return nullptr;
    return mutex;
}

bool NamedMutex::Lock(int timeoutMs) {
    if (depth_ > 0) {
        ++depth_;
        return true;
    }
    bool held;
    if (timeoutMs < 0) {
        held = file_.LockExclusive();
    } else {
        // flock has no time-out: try, then poll every 10 ms until the time is up.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        held = file_.TryLockExclusive();
        while (!held && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            held = file_.TryLockExclusive();
        }
    }
    if (held) depth_ = 1;
    return held;
}

void NamedMutex::Unlock() {
    if (depth_ == 0) return;
    if (--depth_ == 0) file_.Unlock();
}

}  // namespace plat
