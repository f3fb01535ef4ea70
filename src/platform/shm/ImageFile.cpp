#include "platform/shm/ImageFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/device/HostFiles.h"

namespace plat {

namespace {

std::string TemporaryPrefix(const std::filesystem::path& target) {
    return target.filename().string() + ".tmp-";
}

}  // namespace

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Open(const std::filesystem::path& file) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = OpenRegularForReading(file);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        size_ = 0;
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

bool InputFile::ReadAt(std::span<uint8_t> out, uint64_t offset) {
    if (fd_ < 0) return false;
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

FileReplacement::FileReplacement(std::filesystem::path target) : target_(std::move(target)) {}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Begin() {
    Abandon();
    fd_ = CreateUniqueFile(target_.parent_path() / TemporaryPrefix(target_), temporary_);
    return fd_ >= 0;
}

void FileReplacement::RemoveLeftovers(const std::filesystem::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    std::error_code ec;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::end(it);
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.starts_with(prefix)) ::unlink(it->path().c_str());
    }
}

bool FileReplacement::Write(std::span<const uint8_t> bytes) {
    if (fd_ < 0) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool FileReplacement::Commit() {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        return false;
    }
    // The rename itself is durable only once the folder's entry is on disk.
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return false;
    const bool dirSynced = ::fsync(dir) == 0;
    ::close(dir);
    return dirSynced;
}

void FileReplacement::Abandon() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
}

}  // namespace plat
