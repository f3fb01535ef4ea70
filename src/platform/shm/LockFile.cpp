#include "platform/shm/LockFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/device/HostFiles.h"

namespace plat {

bool LockFile::Open(const std::filesystem::path& file) {
    Close();
    fd_ = OpenRegularForUpdate(file);
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
void LockFile::Unlock() { (void)Flock(LOCK_UN); }  // unlocking a lock not held changes nothing

}  // namespace plat
