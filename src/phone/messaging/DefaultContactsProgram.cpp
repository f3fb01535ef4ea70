#include "phone/messaging/DefaultContactsProgram.h"

#include <optional>
#include <string>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/messaging/ShellRegistry.h"

namespace {

constexpr plat::Hive kHklm = plat::Hive::LocalMachine;
constexpr std::u16string_view kContactsKey = u"Software\\Microsoft\\Shell\\Rai\\:MSCONTACTS";
constexpr std::u16string_view kProgramValue = u"1";
constexpr std::u16string_view kBackupValue = u"1temp";
constexpr std::u16string_view kThisProgram = u"Brevane.exe";
constexpr std::u16string_view kPlatformContacts = u":MSPOUTLOOK contacts";

bool NamesThisProgram(const std::optional<std::u16string>& command) {
    return command && shellreg::ContainsNoCase(*command, kThisProgram);
}

bool TakeOver() {
    const std::u16string path = shellreg::ProgramPath();
    if (path.empty()) return false;
    if (!shellreg::Get(kHklm, kContactsKey, kBackupValue)) {
        const std::optional<plat::RegValue> current = shellreg::Get(kHklm, kContactsKey, kProgramValue);
        if (current && !shellreg::Set(kHklm, kContactsKey, kBackupValue, *current)) return false;
    }
    return shellreg::SetString(kHklm, kContactsKey, kProgramValue, shellreg::QuotedProgramPath());
}

bool GiveBack() {
    const std::optional<std::u16string> backup = shellreg::GetString(kHklm, kContactsKey, kBackupValue);
    std::optional<std::u16string> restore;
    if (backup && !NamesThisProgram(backup)) {
        restore = *backup;
    } else if (backup || NamesThisProgram(shellreg::GetString(kHklm, kContactsKey, kProgramValue))) {
        restore = std::u16string(kPlatformContacts);
    }
    if (restore && !shellreg::SetString(kHklm, kContactsKey, kProgramValue, *restore)) return false;
    return !shellreg::Get(kHklm, kContactsKey, kBackupValue) || shellreg::Delete(kHklm, kContactsKey, kBackupValue);
}

}  // namespace

bool IsDefaultContactsProgram() {
    return NamesThisProgram(shellreg::GetString(kHklm, kContactsKey, kProgramValue));
}

bool SetDefaultContactsProgram(bool on) {
    if (!(on ? TakeOver() : GiveBack())) return false;
    return SettingsStore::WriteDword(settings::kSettings, settings::kDefaultAssign, 1);
}
