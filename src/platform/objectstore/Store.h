#pragma once
// The process's object-store state: mounted volumes (one connection each, shared by every mount
// and handle of that file) and open database handles. All of it is guarded by one lock, which
// every public object-store call holds while it runs.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/objectstore/ObjectStore.h"
#include "platform/objectstore/OpenDb.h"
#include "platform/objectstore/Volume.h"

namespace plat::objstore {

class Store {
public:
    static Store& Instance();
    std::recursive_mutex& Mutex() { return mutex_; }

    // Mounting a file already mounted by this process counts one more mount of the same volume.
    CeGuid Mount(const std::filesystem::path& file);
    // ERROR_INVALID_PARAMETER when the volume is not mounted.
    void Unmount(const CeGuid& guid);
    Volume& VolumeOf(const CeGuid& guid);

    uint32_t AddHandle(std::unique_ptr<OpenDb> db);
    // ERROR_INVALID_HANDLE when the handle is not open.
    OpenDb& Handle(uint32_t handle);
    std::unique_ptr<OpenDb> TakeHandle(uint32_t handle);

    // Drops every handle and closes every volume's connection.
    void CloseAll();

    // A statement met damage (`what`): the volumes whose connection it was are marked damaged
    // (every volume when none tells). Returns the message naming the files and their damaged pages.
    std::string DamageFound(const std::string& what);
    VolumeDamage DamageSeen() const { return damage_; }

private:
    struct Mounted {
        std::unique_ptr<Volume> volume;
        int mounts = 0;
        int handles = 0;
    };
    Mounted& Entry(const CeGuid& guid);
    void ReleaseWhenUnused(const CeGuid& guid);

    std::recursive_mutex mutex_;
    std::map<std::array<uint8_t, 16>, Mounted> volumes_;
    std::map<uint32_t, std::unique_ptr<OpenDb>> handles_;
    uint32_t nextHandle_ = 1;
    VolumeDamage damage_;
};

}  // namespace plat::objstore
