#include "platform/objectstore/Store.h"

#include <system_error>

#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"

namespace fs = std::filesystem;

namespace plat::objstore {

Store& Store::Instance() {
    static Store* store = new Store();  // lives to the end of the process, past static destructors
    return *store;
}

void Store::CloseAll() {
    handles_.clear();
    volumes_.clear();
}

CeGuid Store::Mount(const fs::path& file) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(file, ec);
    for (auto& [key, mounted] : volumes_) {
        if (mounted.volume->File() == canonical) {
            ++mounted.mounts;
            return mounted.volume->Guid();
        }
    }
    std::unique_ptr<Volume> volume = Volume::Open(ec ? file : canonical);
    const CeGuid guid = volume->Guid();
    Mounted& mounted = volumes_[guid.bytes];
    if (mounted.volume) Fail(ERROR_ALREADY_EXISTS, "a copy of a mounted volume cannot be mounted beside it");
    mounted.volume = std::move(volume);
    mounted.mounts = 1;
    return guid;
}

Store::Mounted& Store::Entry(const CeGuid& guid) {
    const auto found = volumes_.find(guid.bytes);
    if (found == volumes_.end() || !found->second.volume) Fail(ERROR_INVALID_PARAMETER, "the volume is not mounted");
    return found->second;
}

void Store::Unmount(const CeGuid& guid) {
    Mounted& mounted = Entry(guid);
    if (mounted.mounts == 0) Fail(ERROR_INVALID_PARAMETER, "the volume is not mounted");
    --mounted.mounts;
    ReleaseWhenUnused(guid);
}

Volume& Store::VolumeOf(const CeGuid& guid) { return *Entry(guid).volume; }

void Store::ReleaseWhenUnused(const CeGuid& guid) {
    const auto found = volumes_.find(guid.bytes);
    if (found != volumes_.end() && found->second.mounts == 0 && found->second.handles == 0) volumes_.erase(found);
}

uint32_t Store::AddHandle(std::unique_ptr<OpenDb> db) {
    ++Entry(db->VolumeGuid()).handles;
    const uint32_t handle = nextHandle_++;
    handles_[handle] = std::move(db);
    return handle;
}

OpenDb& Store::Handle(uint32_t handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end()) Fail(ERROR_INVALID_HANDLE, "the database handle is not open");
    return *found->second;
}

std::unique_ptr<OpenDb> Store::TakeHandle(uint32_t handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end()) Fail(ERROR_INVALID_HANDLE, "the database handle is not open");
    std::unique_ptr<OpenDb> db = std::move(found->second);
    handles_.erase(found);
    --Entry(db->VolumeGuid()).handles;
    ReleaseWhenUnused(db->VolumeGuid());
    return db;
}

}  // namespace plat::objstore
