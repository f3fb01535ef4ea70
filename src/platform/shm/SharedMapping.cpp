#include "platform/shm/SharedMapping.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/device/Device.h"

namespace plat {
namespace {

uint64_t PageSize() { return static_cast<uint64_t>(::sysconf(_SC_PAGESIZE)); }

uint64_t RoundUp(uint64_t value, uint64_t unit) { return (value + unit - 1) / unit * unit; }

std::filesystem::path WithSuffix(const std::filesystem::path& key, const char* suffix) {
    std::filesystem::path p = key;
    p += suffix;
    return p;
}

// The shared-memory object's name: one flat namespace for the whole host, so it is made from a
// hash of the full namespace path (unique per device and name) plus a readable tail.
std::string MakeObjectName(const std::filesystem::path& key) {
    const std::string full = key.string();
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : full) hash = (hash ^ c) * 1099511628211ull;
    static const char digits[] = "0123456789abcdef";
    std::string name = "/brevane.";
    for (int shift = 60; shift >= 0; shift -= 4) name += digits[(hash >> shift) & 0xF];
    name += '.';
    const std::string tail = key.filename().string();
    for (size_t i = 0; i < tail.size() && i < 40; ++i) {
        const char c = tail[i];
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        name += plain ? c : '_';
    }
    return name;
}

ShmStatus StatusOfAllocationError(int error) {
    switch (error) {
        case ENOSPC:
        case EFBIG:
        case ENOMEM:
        case EDQUOT:
            return ShmStatus::NoSpace;
        default:
            return ShmStatus::SystemError;
    }
}

}  // namespace

const char* ShmStatusText(ShmStatus status) {
    switch (status) {
        case ShmStatus::Ok: return "done";
        case ShmStatus::AlreadyExists: return "the shared mapping already exists";
        case ShmStatus::NotFound: return "the shared mapping does not exist";
        case ShmStatus::NoSpace: return "no shared memory left for the mapping";
        case ShmStatus::TooLarge: return "the mapping would exceed its reserved size";
        case ShmStatus::SystemError: return "the host refused the shared mapping";
    }
    return "unknown";
}

SharedMapping::SharedMapping(std::filesystem::path key, uint64_t reserveBytes)
    : key_(std::move(key)), objectName_(MakeObjectName(key_)),
      reserved_(RoundUp(reserveBytes == 0 ? 1 : reserveBytes, PageSize())) {}

std::unique_ptr<SharedMapping> SharedMapping::Open(std::u16string_view name, uint64_t reserveBytes,
                                                   Mode mode, ShmStatus* status,
                                                   Publication publication) {
    return OpenAt(CurrentDevice().NamespacePath(name), reserveBytes, mode, status, publication);
}

std::unique_ptr<SharedMapping> SharedMapping::OpenAt(const std::filesystem::path& key,
                                                     uint64_t reserveBytes, Mode mode,
                                                     ShmStatus* status, Publication publication) {
    std::unique_ptr<SharedMapping> mapping(new SharedMapping(key, reserveBytes));
    const ShmStatus result = mapping->Attach(mode, publication);
    if (status) *status = result;
    if (result != ShmStatus::Ok) mapping.reset();
    return mapping;
}

SharedMapping::~SharedMapping() { Detach(); }

ShmStatus SharedMapping::Attach(Mode mode, Publication publication) {
    if (!guard_.Open(WithSuffix(key_, ".guard")) || !guard_.LockExclusive()) {
        return ShmStatus::SystemError;
    }
    if (!holders_.Open(WithSuffix(key_, ".holders"))) return ShmStatus::SystemError;
    // Any holder keeps a shared lock, so an exclusive one is granted only when nobody holds it.
    const bool live = !holders_.TryLockExclusive();
    const ShmStatus opened = OpenObject(mode, live);
    if (opened != ShmStatus::Ok) return opened;
    if (!holders_.LockShared()) return ShmStatus::SystemError;
    void* view = ::mmap(nullptr, reserved_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_NORESERVE,
                        objectFd_, 0);
    if (view == MAP_FAILED) return ShmStatus::SystemError;
    base_ = static_cast<uint8_t*>(view);
    if (existed_ || publication == Publication::Immediate) guard_.Close();
    return ShmStatus::Ok;
}

ShmStatus SharedMapping::OpenObject(Mode mode, bool live) {
    if (live) {
        if (mode == Mode::CreateNew) return ShmStatus::AlreadyExists;
        objectFd_ = ::shm_open(objectName_.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (objectFd_ < 0) return ShmStatus::SystemError;
        existed_ = true;
        return ShmStatus::Ok;
    }
    if (mode == Mode::OpenExisting) return ShmStatus::NotFound;
    ::shm_unlink(objectName_.c_str());  // left behind by holders that crashed
    objectFd_ = ::shm_open(objectName_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    return objectFd_ < 0 ? ShmStatus::SystemError : ShmStatus::Ok;
}

void SharedMapping::Detach() {
    // Unguarded, the detach still leaves a consistent object.
    if (!guard_.IsOpen() && guard_.Open(WithSuffix(key_, ".guard"))) (void)guard_.LockExclusive();
    if (base_) ::munmap(base_, reserved_);
    base_ = nullptr;
    const bool hadObject = objectFd_ >= 0;
    if (hadObject) ::close(objectFd_);
    objectFd_ = -1;
    // Converting our shared lock to an exclusive one succeeds only when no other holder is left.
    if (hadObject && holders_.IsOpen() && holders_.TryLockExclusive()) {
        ::shm_unlink(objectName_.c_str());
    }
    holders_.Close();
    guard_.Close();
}

void SharedMapping::Publish() { guard_.Close(); }

uint64_t SharedMapping::Committed() const {
    struct stat st {};
    if (objectFd_ < 0 || ::fstat(objectFd_, &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

ShmStatus SharedMapping::Commit(uint64_t bytes) {
    if (bytes > reserved_) return ShmStatus::TooLarge;
    const uint64_t have = Committed();
    if (have >= bytes) return ShmStatus::Ok;
    const uint64_t from = have / PageSize() * PageSize();
    const uint64_t to = RoundUp(bytes, PageSize());
    int rc;
    do {
        rc = ::posix_fallocate(objectFd_, static_cast<off_t>(from), static_cast<off_t>(to - from));
    } while (rc == EINTR);
    if (rc != 0) return StatusOfAllocationError(rc);
#ifdef MADV_POPULATE_WRITE
    // The committed pages are about to be written (an image read from its file, a heap grown):
    // mapping them in one call spares a page fault for each. Only a speed-up; a kernel without it
    // maps them on first touch.
    if (base_ != nullptr) ::madvise(base_ + from, to - from, MADV_POPULATE_WRITE);
#endif
    return ShmStatus::Ok;
}

ShmStatus SharedMapping::Write(uint64_t offset, const uint8_t* bytes, uint64_t size) {
    if (offset > reserved_ || size > reserved_ - offset) return ShmStatus::TooLarge;
    while (size > 0) {
        const ssize_t written = ::pwrite(objectFd_, bytes, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? StatusOfAllocationError(errno) : ShmStatus::NoSpace;
        bytes += written;
        offset += static_cast<uint64_t>(written);
        size -= static_cast<uint64_t>(written);
    }
    return ShmStatus::Ok;
}

void SharedMapping::MapForReading(uint64_t bytes) {
#ifdef MADV_POPULATE_READ
    if (base_ != nullptr) ::madvise(base_, RoundUp(std::min(bytes, reserved_), PageSize()), MADV_POPULATE_READ);
#else
    (void)bytes;
#endif
}

bool SharedMapping::SetWritable(bool writable) {
    return base_ != nullptr && ::mprotect(base_, reserved_, writable ? PROT_READ | PROT_WRITE : PROT_READ) == 0;
}

}  // namespace plat
