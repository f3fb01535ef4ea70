#include "platform/registry/RegistryDefaults.h"

#include "platform/locale/Locale.h"
#include "platform/text/Utf.h"

namespace plat {

namespace {

constexpr Hive HKCU = Hive::CurrentUser;
constexpr Hive HKLM = Hive::LocalMachine;

RegistryDefault Sz(Hive hive, std::u16string key, std::u16string name, std::u16string_view text) {
    return {hive, std::move(key), std::move(name), RegValue::String(text)};
}

RegistryDefault Dword(Hive hive, std::u16string key, std::u16string name, uint32_t number) {
    return {hive, std::move(key), std::move(name), RegValue::Dword(number)};
}

// One of the hardware buttons (key codes 0x40C1 to 0x40C5): what it starts and how it is shown.
void AddHardwareKey(std::vector<RegistryDefault>& table, std::u16string code, std::u16string_view name,
                    std::u16string_view command, std::u16string_view icon) {
    const std::u16string key = u"Software\\Microsoft\\Shell\\Keys\\" + code;
    table.push_back(Sz(HKLM, key, u"", command));
    table.push_back(Sz(HKLM, key, u"ResetCmd", command));
    table.push_back(Sz(HKLM, key, u"Name", name));
    table.push_back(Sz(HKLM, key, u"Icon", icon));
}

}  // namespace

std::vector<RegistryDefault> PlatformRegistryDefaults(const std::string& localeName) {
    std::vector<RegistryDefault> table = {
        Sz(HKCU, std::u16string(kLocaleKey), std::u16string(kLocaleValue), FromUtf8(localeName)),
        // The shell's programs for mail and for contacts.
        Sz(HKLM, u"Software\\Microsoft\\Shell\\Rai\\:MSINBOX", u"0", u"Messaging"),
        Sz(HKLM, u"Software\\Microsoft\\Shell\\Rai\\:MSINBOX", u"1", u"tmail.exe"),
        Sz(HKLM, u"Software\\Microsoft\\Shell\\Rai\\:MSCONTACTS", u"0", u"Contacts"),
        Sz(HKLM, u"Software\\Microsoft\\Shell\\Rai\\:MSCONTACTS", u"1", u":MSPOUTLOOK contacts"),
        // The counters of the phone and messaging state.
        Dword(HKCU, u"System\\State\\Messages\\sms\\Unread", u"Count", 0),
        Dword(HKCU, u"System\\State\\Phone", u"Missed Call Count", 0),
        // Context-menu add-ins of the contacts programs: none on a new device.
        {HKLM, u"Software\\Microsoft\\PimApps\\PimExtensions\\Contacts\\AddIns", u"", std::nullopt},
    };
    AddHardwareKey(table, u"40c1", u"Calendar", u"\"\\Windows\\Start Menu\\Programs\\Calendar.lnk\"",
                   u"\\Windows\\calendar.exe, 0");
    AddHardwareKey(table, u"40c2", u"Contacts", u"\"\\Windows\\Start Menu\\Programs\\Contacts.lnk\"",
                   u"\\Windows\\poutlook.exe, 0");
    AddHardwareKey(table, u"40c3", u"Speed Dial", u"\"\\Windows\\Start Menu\\Speed Dial.lnk\"",
                   u"\\Windows\\cprog.exe, 0");
    AddHardwareKey(table, u"40c4", u"Messaging", u"\"\\Windows\\Start Menu\\Programs\\Messaging.lnk\"",
                   u"\\Windows\\tmail.exe, 0");
    AddHardwareKey(table, u"40c5", u"Voice Notes", u"\"\\Windows\\Start Menu\\Programs\\Notes.lnk\"",
                   u"\\Windows\\notes.exe, 0");
    return table;
}

bool WriteRegistryDefaults(Registry& registry, const std::string& localeName) {
    for (const RegistryDefault& entry : PlatformRegistryDefaults(localeName)) {
        const bool written = entry.value ? registry.SetValue(entry.hive, entry.key, entry.name, *entry.value)
                                         : registry.CreateKey(entry.hive, entry.key);
        if (!written) return false;
    }
    return true;
}

}  // namespace plat
