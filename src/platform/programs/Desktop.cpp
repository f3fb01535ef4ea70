#include "platform/programs/Desktop.h"

#include "platform/device/Device.h"
#include "platform/programs/Spawn.h"
#include "platform/registry/Registry.h"

namespace plat {

bool UsesDesktop() {
    if (!HasCurrentDevice()) return false;
    try {
        const auto value = DeviceRegistry().GetValue(Hive::CurrentUser, kPlatformKey, kUseDesktopValue);
        const auto on = value ? value->AsDword() : std::nullopt;
        return on.value_or(0) != 0;
    } catch (const RegistryError&) {
        return false;
    }
}

bool OpenOnDesktop(const std::string& target) {
    if (!UsesDesktop()) return false;
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return false;
    return SpawnDetached(opener, {opener, target}) == 0;
}

}  // namespace plat
