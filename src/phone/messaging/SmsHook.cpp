#include "phone/messaging/SmsHook.h"

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/ServiceAbi.h"

namespace {

constexpr std::u16string_view kUtilLibrary = u"VelmoraPimUtil.dll";

// Calls one of the library's exports; false when the library or the export is missing.
bool CallUtil(const char* exportName) {
    const plat::DeviceLibrary library(kUtilLibrary);
    FlagFunction* function = library.Find<FlagFunction>(exportName);
    return function != nullptr && function() != 0;
}

}  // namespace

bool IsSmsHookInstalled() { return CallUtil("Util_IsSMSHook"); }

bool ApplySmsFix(bool on) {
    const bool stored = SettingsStore::WriteDword(settings::kSettings, kSmsFixValue, on ? 1 : 0);
    return CallUtil(on ? "Util_SetSMSHook" : "Util_RemoveSMSHook") && stored;
}
