#include "phone/messaging/ShellRegistry.h"


#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/str/Quoted.h"
#include "platform/locale/Locale.h"
#include "platform/registry/Guarded.h"

namespace shellreg {

std::optional<plat::RegValue> Get(plat::Hive hive, std::u16string_view key, std::u16string_view name) {
    return plat::RegistryGuarded(std::optional<plat::RegValue>(),
                   [&](plat::Registry& registry) { return registry.GetValue(hive, key, name); });
}

std::optional<std::u16string> GetString(plat::Hive hive, std::u16string_view key, std::u16string_view name) {
    const std::optional<plat::RegValue> value = Get(hive, key, name);
    return value ? value->AsString() : std::nullopt;
}

std::optional<uint32_t> GetDword(plat::Hive hive, std::u16string_view key, std::u16string_view name) {
    const std::optional<plat::RegValue> value = Get(hive, key, name);
    return value ? value->AsDword() : std::nullopt;
}

bool Set(plat::Hive hive, std::u16string_view key, std::u16string_view name, const plat::RegValue& value) {
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) { return registry.SetValue(hive, key, name, value); });
}

bool SetString(plat::Hive hive, std::u16string_view key, std::u16string_view name, std::u16string_view text) {
    return Set(hive, key, name, plat::RegValue::String(text));
}

bool Delete(plat::Hive hive, std::u16string_view key, std::u16string_view name) {
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) { return registry.DeleteValue(hive, key, name); });
}

bool CreateKey(plat::Hive hive, std::u16string_view key) {
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) { return registry.CreateKey(hive, key); });
}

std::u16string ProgramPath() {
    return std::u16string(SettingsStore::ReadString(settings::kSettings, settings::kProgramPath, u"").View());
}

std::u16string QuotedProgramPath() { return Quoted(ProgramPath()); }

std::u16string Lower(std::u16string_view text) {
    std::u16string lower(text);
    plat::LowerInPlace(lower);
    return lower;
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    return Lower(text).find(Lower(part)) != std::u16string::npos;
}

}  // namespace shellreg
