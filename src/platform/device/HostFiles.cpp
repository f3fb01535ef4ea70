#include "platform/device/HostFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace plat {

namespace {

// Keeps `fd` when it is a regular file (switching it back to blocking); closes it otherwise.
int KeepIfRegular(int fd) {
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

}  // namespace

int OpenRegularForReading(const std::filesystem::path& file) {
    return KeepIfRegular(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
}

int OpenRegularForUpdate(const std::filesystem::path& file) {
    return KeepIfRegular(
        ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW, 0600));
}

bool AppendToRegularFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = KeepIfRegular(::open(
        file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW, 0644));
    if (fd < 0) return false;
    ssize_t written;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    ::close(fd);
    return written == static_cast<ssize_t>(bytes.size());
}

int CreateUniqueFile(const std::filesystem::path& prefix, std::filesystem::path& created) {
    std::string name = prefix.string() + "XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) created = name;
    return fd;
}

bool HasLinkedDatabaseFile(const std::filesystem::path& database) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::error_code ec;
        const auto status = std::filesystem::symlink_status(database.string() + suffix, ec);
        if (std::filesystem::is_symlink(status)) return true;
    }
    return false;
}

}  // namespace plat
