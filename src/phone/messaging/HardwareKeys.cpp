#include "phone/messaging/HardwareKeys.h"

#include <array>
#include <utility>

#include "phone/messaging/ShellRegistry.h"

namespace {

constexpr plat::Hive kHklm = plat::Hive::LocalMachine;
constexpr std::u16string_view kKeysRoot = u"SOFTWARE\\Microsoft\\Shell\\Keys";
constexpr std::array<std::u16string_view, 5> kCodes = {u"40c1", u"40c2", u"40c3", u"40c4", u"40c5"};
constexpr std::u16string_view kResetCmd = u"ResetCmd";
constexpr std::u16string_view kDefault = u"";
constexpr std::u16string_view kIcon = u"Icon";
constexpr std::u16string_view kName = u"Name";
constexpr std::u16string_view kThisProgram = u"Brevane.exe";

// Each value a button shows and the value its platform setting is kept in.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 4> kKept = {{
    {kResetCmd, u"PrevResetCmd"},
    {kDefault, u"PrevDef"},
    {kIcon, u"PrevIcon"},
    {kName, u"PrevName"},
}};

std::u16string KeyOf(std::u16string_view code) {
    std::u16string key(kKeysRoot);
    key += u'\\';
    key += code;
    return key;
}

bool Contains(const std::u16string& key, std::u16string_view name, std::u16string_view text) {
    const std::optional<std::u16string> value = shellreg::GetString(kHklm, key, name);
    return value && shellreg::ContainsNoCase(*value, text);
}

// Copies the button's current values to the "Prev" values.
bool KeepPlatformValues(const std::u16string& key) {
    for (const auto& [value, kept] : kKept) {
        const std::optional<plat::RegValue> current = shellreg::Get(kHklm, key, value);
        if (current && !shellreg::Set(kHklm, key, kept, *current)) return false;
    }
    return true;
}

bool StartThisProgram(const std::u16string& key) {
    const std::u16string quoted = shellreg::QuotedProgramPath();
    return shellreg::SetString(kHklm, key, kDefault, quoted) && shellreg::SetString(kHklm, key, kResetCmd, quoted) &&
           shellreg::SetString(kHklm, key, kIcon, shellreg::ProgramPath() + u", 0");
}

bool TakeOver() {
    if (shellreg::ProgramPath().empty()) return false;
    // A button already taken over keeps its "Prev" values: they hold the platform's command.
    const std::optional<std::u16string> ours = FindHardwareKey(kThisProgram);
    std::optional<std::u16string> code = ours;
    if (!code) code = FindHardwareKey(u"contact");
    if (!code) code = FindHardwareKey(u"\\Speed Dial.lnk");
    if (!code) return false;
    const std::u16string key = KeyOf(*code);
    if (shellreg::GetString(kHklm, key, kResetCmd) == shellreg::QuotedProgramPath()) return true;
    return (ours || KeepPlatformValues(key)) && StartThisProgram(key);
}

bool GiveBack() {
    const std::optional<std::u16string> code = FindHardwareKey(kThisProgram);
    if (!code) return true;
    const std::u16string key = KeyOf(*code);
    for (const auto& [value, kept] : kKept) {
        const std::optional<plat::RegValue> platform = shellreg::Get(kHklm, key, kept);
        if (platform && !shellreg::Set(kHklm, key, value, *platform)) return false;
    }
    for (const auto& [value, kept] : kKept) {
        if (shellreg::Get(kHklm, key, kept) && !shellreg::Delete(kHklm, key, kept)) return false;
    }
    return true;
}

}  // namespace

std::optional<std::u16string> FindHardwareKey(std::u16string_view text) {
    for (std::u16string_view code : kCodes) {
        const std::u16string key = KeyOf(code);
        if (Contains(key, kResetCmd, text) || Contains(key, kDefault, text)) return std::u16string(code);
    }
    return std::nullopt;
}

bool AssignHardwareKey(bool on) { return on ? TakeOver() : GiveBack(); }
