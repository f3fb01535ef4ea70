#include "core/settings/SettingsStore.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "core/settings/SettingsKeys.h"
#include "platform/registry/Guarded.h"
#include "platform/registry/Registry.h"

namespace {

std::u16string KeyOf(std::u16string_view section) {
    std::u16string key(settings::kRoot);
    key += section;
    return key;
}

std::optional<plat::RegValue> Query(std::u16string_view section, std::u16string_view name) {
    if (section.empty() || name.empty()) return std::nullopt;
    return plat::RegistryGuarded(std::optional<plat::RegValue>(), [&](plat::Registry& registry) {
        return registry.GetValue(plat::Hive::CurrentUser, KeyOf(section), name);
    });
}

bool Store(std::u16string_view section, std::u16string_view name, const plat::RegValue& value) {
    if (section.empty() || name.empty()) return false;
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) {
        return registry.SetValue(plat::Hive::CurrentUser, KeyOf(section), name, value);
    });
}

std::u16string_view FileNameOf(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

std::u16string IndexName(size_t index) {
    const std::string digits = std::to_string(index);
    return std::u16string(digits.begin(), digits.end());
}

// The values of a list section, in index order, as far as they can be read by `convert`.
template <typename T, typename Convert>
std::vector<T> ReadList(std::u16string_view section, Convert convert) {
    std::vector<T> list;
    if (section.empty()) return list;
    const auto values = plat::RegistryGuarded(
        std::vector<std::pair<std::u16string, plat::RegValue>>(),
        [&](plat::Registry& registry) { return registry.Values(plat::Hive::CurrentUser, KeyOf(section)); });
    const uint32_t count = SettingsStore::ReadDword(section, settings::kCount, 0);
    const size_t limit = std::min<size_t>(count, values.size());
    for (size_t i = 0; i < limit; ++i) {
        if (auto item = convert(Query(section, IndexName(i)))) list.push_back(*item);
    }
    return list;
}

// Deletes the section and writes "Count" and every item.
template <typename T, typename ToValue>
bool WriteList(std::u16string_view section, std::span<const T> items, ToValue toValue) {
    if (section.empty()) return false;
    // A list not there yet is fine; the writes say whether they worked.
    (void)SettingsStore::DeleteSection(section);
    bool ok = SettingsStore::WriteDword(section, settings::kCount, static_cast<uint32_t>(items.size()));
    for (size_t i = 0; i < items.size() && ok; ++i) ok = Store(section, IndexName(i), toValue(items[i]));
    return ok;
}

}  // namespace

uint32_t SettingsStore::ReadDword(std::u16string_view section, std::u16string_view name, uint32_t def) {
    const auto value = Query(section, name);
    return value ? value->AsDword().value_or(def) : def;
}

uint32_t SettingsStore::ReadDwordOrCreate(std::u16string_view section, std::u16string_view name,
                                          uint32_t def) {
    const auto value = Query(section, name);
    if (const auto number = value ? value->AsDword() : std::nullopt) return *number;
    // The default is returned either way; the next read writes it again.
    (void)WriteDword(section, name, def);
    return def;
}

Str SettingsStore::ReadString(std::u16string_view section, std::u16string_view name,
                              std::u16string_view def) {
    const auto value = Query(section, name);
    const auto text = value ? value->AsString() : std::nullopt;
    return text ? Str(std::u16string_view(*text)) : Str(def);
}

std::vector<uint8_t> SettingsStore::ReadBinary(std::u16string_view section, std::u16string_view name) {
    auto value = Query(section, name);
    if (!value || value->type != plat::REG_BINARY) return {};
    return std::move(value->data);
}

void SettingsStore::ReadStringInto(std::u16string_view section, std::u16string_view name, char16_t* buffer,
                                   int capacity, std::u16string_view def) {
    if (!buffer || capacity <= 0) return;
    const Str text = ReadString(section, name, def);
    std::u16string_view chosen = text.GetLength() < capacity ? text.View() : def;
    chosen = chosen.substr(0, static_cast<size_t>(capacity - 1));
    std::copy(chosen.begin(), chosen.end(), buffer);
    buffer[chosen.size()] = 0;
}

bool SettingsStore::WriteDword(std::u16string_view section, std::u16string_view name, uint32_t value, bool) {
    return Store(section, name, plat::RegValue::Dword(value));
}

bool SettingsStore::WriteString(std::u16string_view section, std::u16string_view name,
                                std::u16string_view text, bool) {
    return Store(section, name, plat::RegValue::String(text));
}

bool SettingsStore::WriteBinary(std::u16string_view section, std::u16string_view name,
                                std::span<const uint8_t> bytes) {
    return Store(section, name, plat::RegValue::Binary({bytes.begin(), bytes.end()}));
}

bool SettingsStore::DeleteValue(std::u16string_view section, std::u16string_view name) {
    if (section.empty() || name.empty()) return false;
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) {
        return registry.DeleteValue(plat::Hive::CurrentUser, KeyOf(section), name);
    });
}

bool SettingsStore::DeleteSection(std::u16string_view section) {
    if (section.empty()) return false;
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) {
        return registry.DeleteKey(plat::Hive::CurrentUser, KeyOf(section));
    });
}

bool SettingsStore::FlushSection(std::u16string_view section) {
    if (section.empty()) return false;
    return plat::RegistryGuarded(false, [&](plat::Registry& registry) {
        return registry.KeyExists(plat::Hive::CurrentUser, KeyOf(section));
    });
}

std::vector<uint32_t> SettingsStore::ReadDwordList(std::u16string_view section) {
    return ReadList<uint32_t>(section, [](const std::optional<plat::RegValue>& value) {
        return value ? value->AsDword() : std::nullopt;
    });
}

std::vector<Str> SettingsStore::ReadStringList(std::u16string_view section) {
    return ReadList<Str>(section, [](const std::optional<plat::RegValue>& value) -> std::optional<Str> {
        const auto text = value ? value->AsString() : std::nullopt;
        if (!text) return std::nullopt;
        return Str(std::u16string_view(*text));
    });
}

bool SettingsStore::WriteDwordList(std::u16string_view section, std::span<const uint32_t> values) {
    return WriteList(section, values, [](uint32_t value) { return plat::RegValue::Dword(value); });
}

bool SettingsStore::WriteStringList(std::u16string_view section, std::span<const Str> values) {
    return WriteList(section, values, [](const Str& text) { return plat::RegValue::String(text.View()); });
}

bool SettingsStore::SetFileFlag(std::u16string_view path) {
    return WriteDword(settings::kSettings, FileNameOf(path), 1);
}

bool SettingsStore::ClearFileFlag(std::u16string_view path) {
    return WriteDword(settings::kSettings, FileNameOf(path), 0);
}

bool SettingsStore::TestFileFlag(std::u16string_view path) {
    return ReadDword(settings::kSettings, FileNameOf(path), 0) != 0;
}
