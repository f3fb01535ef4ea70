// The Today-screen item (BrevaneToday.dll): registered means the key
// HKLM\Software\Microsoft\Today\Items\Brevane exists with Enabled other than 0; registering writes
// it (DLL: the library's device path, Enabled 1), unregistering removes it. Each call is logged.
#include "app/standins/support/Standin.h"

namespace {

constexpr std::u16string_view kLibrary = u"BrevaneToday.dll";
constexpr std::u16string_view kKey = u"Software\\Microsoft\\Today\\Items\\Brevane";

bool Ready(std::u16string_view function) {
    if (!standin::HaveLibraryDevice(reinterpret_cast<const void*>(&Ready))) return false;
    standin::LogCall(kLibrary, function, {});
    return true;
}

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t IsTodayRegistered() {
    if (!Ready(u"IsTodayRegistered")) return 0;
    return standin::RegistryDword(plat::Hive::LocalMachine, kKey, u"Enabled", 0) != 0 ? 1 : 0;
}

BREVANE_STANDIN_EXPORT int32_t RegisterTodayItem() {
    if (!Ready(u"RegisterTodayItem")) return 0;
    try {
        plat::Registry& registry = plat::DeviceRegistry();
        const bool written = registry.SetValue(plat::Hive::LocalMachine, kKey, u"DLL",
                                               plat::RegValue::String(u"\\Windows\\BrevaneToday.dll")) &&
                             registry.SetValue(plat::Hive::LocalMachine, kKey, u"Enabled", plat::RegValue::Dword(1));
        return written ? 1 : 0;
    } catch (const plat::RegistryError&) {
        return 0;
    }
}

BREVANE_STANDIN_EXPORT int32_t UnRegisterTodayItem() {
    if (!Ready(u"UnRegisterTodayItem")) return 0;
    try {
        plat::Registry& registry = plat::DeviceRegistry();
        return !registry.KeyExists(plat::Hive::LocalMachine, kKey) || registry.DeleteKey(plat::Hive::LocalMachine, kKey) ? 1 : 0;
    } catch (const plat::RegistryError&) {
        return 0;
    }
}
