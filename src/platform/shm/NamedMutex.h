#pragma once
// A named mutex of the device: a lock file in the device namespace locked with flock, so that a
// holder that dies releases it. Each NamedMutex object is one handle; the thread that locks it
// may lock it again (each Lock needs its Unlock), as with the handheld's mutexes. A handle is
// meant for one thread at a time; other threads and processes open their own.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/shm/LockFile.h"

namespace plat {

class NamedMutex {
public:
    // Opens the mutex `name` of the current device; null when its lock file cannot be opened.
    static std::unique_ptr<NamedMutex> Open(std::u16string_view name);
    static std::unique_ptr<NamedMutex> OpenAt(const std::filesystem::path& key);

    // Waits at most `timeoutMs` milliseconds (-1: without limit, 0: one try); true when held.
    [[nodiscard]] bool Lock(int timeoutMs = -1);
    // Releases one level of locking; the lock goes when every Lock has its Unlock.
    void Unlock();
    [[nodiscard]] bool IsHeld() const { return depth_ > 0; }

private:
    NamedMutex() = default;

    LockFile file_;
    uint32_t depth_ = 0;
};

// Holds a NamedMutex for a scope.
class NamedMutexLock {
public:
    NamedMutexLock(NamedMutex& mutex, int timeoutMs = -1)
        : mutex_(mutex), held_(mutex.Lock(timeoutMs)) {}
    ~NamedMutexLock() {
        if (held_) mutex_.Unlock();
    }
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;
    [[nodiscard]] bool Held() const { return held_; }

private:
    NamedMutex& mutex_;
    bool held_;
};

}  // namespace plat
