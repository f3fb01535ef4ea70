#include "platform/shm/LockFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace plat {

bool LockFile::Open(const std::filesystem::path& file) {
    Close();
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    return fd_ >= 0;
}

void LockFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool LockFile::Flock(int operation) {
    if (fd_ < 0) return false;
    int rc;
    do {
        rc = ::flock(fd_, operation);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

bool LockFile::LockExclusive() { return Flock(LOCK_EX); }
bool LockFile::LockShared() { return Flock(LOCK_SH); }
bool LockFile::TryLockExclusive() { return Flock(LOCK_EX | LOCK_NB); }
void LockFile::Unlock() { Flock(LOCK_UN); }

}  // namespace plat
