#include "platform/objectstore/Store.h"

#include <system_error>
#include <vector>

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
            if (mounted.volume->Damaged()) Fail(ERROR_FILE_CORRUPT, mounted.volume->Damage());
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

Volume& Store::VolumeOf(const CeGuid& guid) {
    Volume& volume = *Entry(guid).volume;
    if (volume.Damaged()) Fail(ERROR_FILE_CORRUPT, volume.Damage());
    return volume;
}

// The connection that met the damage tells it by its last result; when none does, every mounted
// volume is taken as damaged (a full check at the next mount costs less than a wrong answer).
std::string Store::DamageFound(const std::string& what) {
    std::lock_guard lock(mutex_);
    std::vector<Volume*> hit;
    for (const auto& [key, mounted] : volumes_) {
        if (mounted.volume->MetDamage()) hit.push_back(mounted.volume.get());
    }
    if (hit.empty()) {
        for (const auto& [key, mounted] : volumes_) hit.push_back(mounted.volume.get());
    }
    std::string message;
    for (Volume* volume : hit) {
        volume->MarkDamaged(what);
        message += (message.empty() ? "" : "; ") + volume->Damage();
    }
    damage_.count += 1;
    damage_.message = message.empty() ? "volume: damaged (" + what + ")" : message;
    return damage_.message;
}

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
    (void)VolumeOf(found->second->VolumeGuid());  // refuses a volume found damaged
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
