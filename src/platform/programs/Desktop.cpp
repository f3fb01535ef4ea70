#include "platform/programs/Desktop.h"

#include "platform/device/Device.h"
#include "platform/programs/Spawn.h"
#include "platform/registry/Registry.h"

namespace plat {

bool PlatformSwitch(std::u16string_view name) {
    if (!HasCurrentDevice()) return false;
    try {
        const auto value = DeviceRegistry().GetValue(Hive::CurrentUser, kPlatformKey, name);
        const auto on = value ? value->AsDword() : std::nullopt;
        return on.value_or(0) != 0;
    } catch (const RegistryError&) {
        return false;
    }
}

bool SetPlatformSwitch(std::u16string_view name, bool on) {
    if (!HasCurrentDevice()) return false;
    try {
        return DeviceRegistry().SetValue(Hive::CurrentUser, kPlatformKey, name, RegValue::Dword(on ? 1 : 0));
    } catch (const RegistryError&) {
        return false;
    }
}

bool UsesDesktop() { return PlatformSwitch(kUseDesktopValue); }

bool OpenOnDesktop(const std::string& target) {
    if (!UsesDesktop()) return false;
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return false;
    return SpawnDetached(opener, {opener, target}) == 0;
}

bool DesktopHandles(std::string_view scheme) {
    const std::string query = FindOnPath("xdg-mime");
    if (query.empty()) return false;
    const std::string answer =
        RunForOutput(query, {query, "query", "default", "x-scheme-handler/" + std::string(scheme)});
    return answer.find_first_not_of(" \t\r\n") != std::string::npos;
}

}  // namespace plat
