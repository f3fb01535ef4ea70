#include "phone/dial/DialMethod.h"

#include <filesystem>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/device/Device.h"

uint32_t ResolveDialMethod(uint32_t method, uint32_t stored, bool phoneDevice, bool addInRegistered) {
    if (method == 0) method = stored;
    if (method == kDialAddIn && !addInRegistered) method = 0;
    if (phoneDevice) {
        return method == kDialJustCall || method == kDialSound || method == kDialAddIn ? method : kDialJustCall;
    }
    if (method == kDialSound || method == kDialAddIn || method == kDialNone) return method;
    return addInRegistered ? kDialAddIn : kDialNone;
}

uint32_t StoredDialMethod() { return SettingsStore::ReadDword(settings::kSettings, settings::kDialupMode, 0); }

bool IsPhoneDevice() {
    if (!plat::HasCurrentDevice()) return false;
    const auto path = plat::CurrentDevice().HostPath(u"\\windows\\sms.dll");
    std::error_code error;
    return path && std::filesystem::is_regular_file(*path, error);
}
