#include "screen/options/PhoneOptions.h"

#include <filesystem>
#include <fstream>

#include "core/diag/ErrorLog.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/str/Quoted.h"
#include "phone/dial/DialMethod.h"
#include "phone/messaging/SmsHook.h"
#include "platform/device/Device.h"
#include "platform/programs/Process.h"
#include "platform/ui/MessageBox.h"
#include "platform/window/Window.h"

namespace options {

namespace {

bool ReadFlag(std::u16string_view name, uint32_t def) { return SettingsStore::ReadDword(settings::kSettings, name, def) != 0; }
bool WriteFlag(std::u16string_view name, bool on) { return SettingsStore::WriteDword(settings::kSettings, name, on ? 1 : 0); }

// Whether the shortcut file could be written or removed; a missing device path fails.
bool WriteShortcut(std::u16string_view shortcut, std::u16string_view target) {
    const std::optional<std::filesystem::path> host = plat::CurrentDevice().HostPath(shortcut);
    if (!host) return false;
    // The shell's shortcut text: the length of what follows the '#', then the quoted target.
    const std::string quoted = Quoted(Str(target).ToUtf8());
    std::error_code error;
    std::filesystem::create_directories(host->parent_path(), error);
    std::ofstream out(*host, std::ios::binary | std::ios::trunc);
    out << quoted.size() << '#' << quoted;
    return static_cast<bool>(out.flush());
}

bool RemoveShortcut(std::u16string_view shortcut) {
    const std::optional<std::filesystem::path> host = plat::CurrentDevice().HostPath(shortcut);
    std::error_code error;
    return host && (std::filesystem::remove(*host, error) || !error);
}

void PostToCallerId(uint32_t message, uint32_t value) {
    // The caller-ID window reads the setting when it next starts.
    if (const plat::HWND window = plat::FindWindow(kCallerIdWindowClass))
        (void)plat::PostMessage(window, message, value, 0);
}

}  // namespace

PhoneOptions ReadPhoneOptions(bool addInRegistered) {
    PhoneOptions options;
    options.dialupMode = ResolveDialMethod(0, StoredDialMethod(), IsPhoneDevice(), addInRegistered);
    options.dialType = SettingsStore::ReadDword(settings::kSettings, settings::kDialType, 3);
    if (options.dialType < 1 || options.dialType > 3) options.dialType = 3;
    options.callerId = plat::FindWindow(kCallerIdWindowClass) != 0;
    options.trayVisible = ReadFlag(settings::kIsTrayVisible, 1);
    options.smsFix = ReadFlag(kSmsFixValue, 0);
    options.callLog = ReadFlag(settings::kCLog, 0);
    options.speedDial = ReadFlag(settings::kSCut, 0);
    return options;
}

std::vector<OptionChoice> DialMethodChoices(bool phoneDevice, const Str& addInName) {
    std::vector<OptionChoice> choices;
    if (phoneDevice) choices.push_back({kDialJustCall, RequireStr(41214)});
    choices.push_back({kDialSound, RequireStr(41213)});
    if (!addInName.IsEmpty()) choices.push_back({kDialAddIn, addInName});
    if (!phoneDevice) choices.push_back({kDialNone, RequireStr(41295)});
    return choices;
}

std::vector<OptionChoice> DialTypeChoices() {
    return {{1, RequireStr(41377)}, {2, RequireStr(41378)}, {3, RequireStr(133)}};
}

bool SwitchCallerId(bool on) {
    const bool running = plat::FindWindow(kCallerIdWindowClass) != 0;
    if (on) {
        if (!running && !plat::StartProgram(kCallerIdProgram, u"")) {
            plat::MessageBox(RequireStr(kStrLoadError).View(), u"", plat::MB_OK | plat::MB_ICONERROR);
            return false;
        }
        if (WriteShortcut(kCallerIdShortcut, kCallerIdProgram)) return true;
        ErrorLog(u"The caller-ID shortcut cannot be written", "PhoneOptions", __LINE__);
        return false;
    }
    if (!running) return true;
    if (!plat::StartProgram(kCallerIdProgram, u"/SHUTDOWN")) {
        plat::MessageBox(RequireStr(kStrUnloadError).View(), u"", plat::MB_OK | plat::MB_ICONERROR);
        return false;
    }
    const bool removed = RemoveShortcut(kCallerIdShortcut);
    plat::MessageBox(RequireStr(kStrCallerIdStopped).View(), kCallerIdCaption, plat::MB_OK | plat::MB_ICONINFORMATION);
    return removed;
}

bool ApplyPhoneOptions(const PhoneOptions& before, const PhoneOptions& now) {
    bool ok = true;
    if (now.dialupMode != before.dialupMode) {
        ok = SettingsStore::WriteDword(settings::kSettings, settings::kDialupMode, now.dialupMode) && ok;
    }
    if (now.dialType != before.dialType) ok = SettingsStore::WriteDword(settings::kSettings, settings::kDialType, now.dialType) && ok;
    ok = SwitchCallerId(now.callerId) && ok;
    if (now.trayVisible != before.trayVisible) {
        ok = WriteFlag(settings::kIsTrayVisible, now.trayVisible) && ok;
        PostToCallerId(kCallerIdTrayChanged, now.trayVisible ? 1 : 0);
    }
    if (now.smsFix != before.smsFix) ok = ApplySmsFix(now.smsFix) && ok;
    ok = WriteFlag(settings::kCLog, now.callLog) && ok;
    ok = WriteFlag(settings::kSCut, now.speedDial) && ok;
    PostToCallerId(kCallerIdSpeedDialChanged, now.speedDial ? 1 : 0);
    return ok;
}

}  // namespace options
