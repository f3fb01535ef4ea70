// The family's utility library (VelmoraPimUtil.dll): the SMS hook is a state kept in the device
// registry (HKLM\Software\Velmora\PimUtil, SMSHook, REG_DWORD 0 or 1). Each call is logged.
#include "app/standins/support/Standin.h"

namespace {

constexpr std::u16string_view kLibrary = u"VelmoraPimUtil.dll";
constexpr std::u16string_view kKey = u"Software\\Velmora\\PimUtil";
constexpr std::u16string_view kValue = u"SMSHook";

bool Ready() { return standin::HaveLibraryDevice(reinterpret_cast<const void*>(&Ready)); }

int32_t SetHook(std::u16string_view function, uint32_t on) {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, function, {});
    return standin::SetRegistryDword(plat::Hive::LocalMachine, kKey, kValue, on) ? 1 : 0;
}

}  // namespace

BREVANE_STANDIN_EXPORT void BrevaneAttachDevice(const char* root) { standin::AttachDevice(root); }

BREVANE_STANDIN_EXPORT int32_t Util_SetSMSHook() { return SetHook(u"Util_SetSMSHook", 1); }

BREVANE_STANDIN_EXPORT int32_t Util_RemoveSMSHook() { return SetHook(u"Util_RemoveSMSHook", 0); }

BREVANE_STANDIN_EXPORT int32_t Util_IsSMSHook() {
    if (!Ready()) return 0;
    standin::LogCall(kLibrary, u"Util_IsSMSHook", {});
    return standin::RegistryDword(plat::Hive::LocalMachine, kKey, kValue, 0) != 0 ? 1 : 0;
}
