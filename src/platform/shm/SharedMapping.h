#pragma once
// A named shared mapping of the device: a POSIX shared-memory object that every process of the
// device opening the same name shares, as the handheld's named file mappings are shared.
//
// Address space and memory are separate: a mapping reserves `reserveBytes` of address space once
// (the base never moves) but only the bytes committed with Commit() are backed by the object.
// Commit allocates the pages at once (posix_fallocate), so a full /dev/shm is a status the caller
// sees, never a SIGBUS at a later write. Callers touch only committed bytes.
//
// Lifetime: the object lives while any holder has it open. Each holder keeps a shared flock on
// the name's ".holders" lock file; the last holder to close unlinks the object. A holder that
// crashes loses its lock with its process, so the next opener that finds no live holder treats a
// left-over object as stale and recreates it. Opening and closing are serialised between
// processes by an exclusive flock on the name's ".guard" lock file.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/shm/LockFile.h"

namespace plat {

enum class ShmStatus {
    Ok,
    AlreadyExists,  // CreateNew while another holder has the mapping
    NotFound,       // OpenExisting while no holder has the mapping
    NoSpace,        // the pages could not be allocated (shared memory full or limited)
    TooLarge,       // more bytes than the reserved address space
    SystemError,    // any other failure of the host (lock files, mapping)
};

// A short English description of a status, for logs and messages.
const char* ShmStatusText(ShmStatus status);

class SharedMapping {
public:
    enum class Mode {
        CreateNew,     // fails with AlreadyExists when a live mapping of the name exists
        OpenOrCreate,  // shares a live mapping, else creates a new one (Existed() tells which)
        OpenExisting,  // fails with NotFound when no live mapping exists
    };

    // When other openers of the name may see a newly created mapping: at once, or only after its
    // creator has filled it and called Publish() (they wait until then).
    enum class Publication { Immediate, Deferred };

    // Opens the mapping `name` in the current device's namespace.
    static std::unique_ptr<SharedMapping> Open(std::u16string_view name, uint64_t reserveBytes,
                                               Mode mode, ShmStatus* status = nullptr,
                                               Publication publication = Publication::Immediate);
    // Opens the mapping identified by a namespace path; its lock files are made beside it.
    static std::unique_ptr<SharedMapping> OpenAt(const std::filesystem::path& key,
                                                 uint64_t reserveBytes, Mode mode,
                                                 ShmStatus* status = nullptr,
                                                 Publication publication = Publication::Immediate);

    ~SharedMapping();
    SharedMapping(const SharedMapping&) = delete;
    SharedMapping& operator=(const SharedMapping&) = delete;

    // True when the mapping was live (held by another holder) when opened.
    [[nodiscard]] bool Existed() const { return existed_; }
    // The host's name of the shared-memory object ("/brevane.<hash>.<name>").
    const std::string& ObjectName() const { return objectName_; }
    uint8_t* Base() const { return base_; }
    uint64_t Reserved() const { return reserved_; }
    // Bytes backed by the object now; another holder may have committed more since the last call.
    uint64_t Committed() const;
    // Backs at least `bytes` (rounded up to whole pages, within the reservation). Never shrinks.
    ShmStatus Commit(uint64_t bytes);
    // Copies `bytes` into the object at `offset` through the object itself, not through the view:
    // the pages are backed as they are written (a full /dev/shm is NoSpace) and this process's
    // view maps none of them. Filling a large mapping this way and then reading it through a
    // read-only view costs half the processor time of writing it through the view (on virtual
    // machines above all, where each page the view maps for writing is expensive).
    ShmStatus Write(uint64_t offset, const uint8_t* bytes, uint64_t size);
    // Maps the first `bytes` of the view for reading in one call (they are about to be read),
    // sparing a page fault for each. Only a speed-up: a kernel without it maps them on first read.
    void MapForReading(uint64_t bytes);
    // Makes the whole view read-only or writable again (it is writable when opened). Writes through
    // a read-only view fault; reads see the object's bytes either way.
    [[nodiscard]] bool SetWritable(bool writable);

    // Lets other openers in to a new mapping opened with Publication::Deferred (closing it does
    // too). Does nothing otherwise. A process must not open the name again before publishing.
    void Publish();

private:
    SharedMapping(std::filesystem::path key, uint64_t reserveBytes);
    ShmStatus Attach(Mode mode, Publication publication);
    ShmStatus OpenObject(Mode mode, bool live);
    void Detach();

    std::filesystem::path key_;
    std::string objectName_;
    uint64_t reserved_;
    uint8_t* base_ = nullptr;
    int objectFd_ = -1;
    LockFile holders_;  // shared lock while this holder has the mapping
    LockFile guard_;    // held while opening, and by a deferred new mapping until Publish
    bool existed_ = false;
};

}  // namespace plat
