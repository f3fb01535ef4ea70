#pragma once
// Lock files of the device namespace, locked with flock: a lock belongs to one open file
// description, so two opens in one process exclude each other like two processes do, and the
// kernel releases the lock of a process that dies.
#include <filesystem>

namespace plat {

class LockFile {
public:
    LockFile() = default;
    ~LockFile() { Close(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Opens (creating when missing, mode 0600) the lock file; false when it cannot be opened.
    [[nodiscard]] bool Open(const std::filesystem::path& file);
    void Close();  // releases any lock held through this file
    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }

    // Each returns false when the lock is not taken (held elsewhere for the Try forms).
    [[nodiscard]] bool LockExclusive();
    [[nodiscard]] bool LockShared();
    [[nodiscard]] bool TryLockExclusive();
    void Unlock();

private:
    [[nodiscard]] bool Flock(int operation);

    int fd_ = -1;
};

}  // namespace plat
