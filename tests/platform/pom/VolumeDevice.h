#pragma once
// A temporary device whose object-store volume exists, for tests of code on the object store.
#include <filesystem>

#include "platform/objectstore/ObjectStore.h"
#include "support/TempDevice.h"

class VolumeDevice : public TempDevice {
public:
    VolumeDevice() {
        const auto volume = Host(u"\\pim.vol");
        if (!std::filesystem::exists(volume)) plat::InitVolume(volume);
    }
};
