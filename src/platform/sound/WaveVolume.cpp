#include "platform/sound/WaveVolume.h"

#include <exception>

#include "platform/programs/Desktop.h"
#include "platform/registry/Registry.h"

namespace plat {

uint32_t GetWaveVolume() {
    try {
        const auto value = DeviceRegistry().GetValue(Hive::CurrentUser, kPlatformKey, kWaveVolumeValue);
        if (value) {
            if (const auto number = value->AsDword()) return *number;
        }
    } catch (const std::exception&) {
    }
    return kDefaultWaveVolume;
}

bool SetWaveVolume(uint32_t volume) {
    try {
        return DeviceRegistry().SetValue(Hive::CurrentUser, kPlatformKey, kWaveVolumeValue,
                                         RegValue::Dword(volume));
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace plat
