#include "phone/speed/SpeedRegistry.h"

#include <exception>
#include <string>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/registry/Registry.h"

namespace {

std::u16string Name(std::u16string_view stem, int position) {
    const std::string digits = std::to_string(position);
    return std::u16string(stem) + std::u16string(digits.begin(), digits.end());
}

bool Exists(std::u16string_view name) {
    std::u16string key(settings::kRoot);
    key += kSpeedCallSection;
    try {
        return plat::DeviceRegistry().GetValue(plat::Hive::CurrentUser, key, name).has_value();
    } catch (const std::exception&) {
        return false;
    }
}

uint32_t Dword(std::u16string_view stem, int position, uint32_t def) {
    return SettingsStore::ReadDword(kSpeedCallSection, Name(stem, position), def);
}

Str Text(std::u16string_view stem, int position) {
    return SettingsStore::ReadString(kSpeedCallSection, Name(stem, position), u"");
}

bool PutDword(std::u16string_view stem, int position, uint32_t value) {
    return SettingsStore::WriteDword(kSpeedCallSection, Name(stem, position), value);
}

bool PutText(std::u16string_view stem, int position, const Str& value) {
    return SettingsStore::WriteString(kSpeedCallSection, Name(stem, position), value.View());
}

}  // namespace

std::optional<SpeedRecord> ReadSpeedRecord(int position) {
    if (!Exists(Name(u"Oid", position))) return std::nullopt;
    SpeedRecord r;
    r.oid = Dword(u"Oid", position, 0);
    r.first = Text(u"First", position);
    r.last = Text(u"Last", position);
    r.middle = Text(u"Middle", position);
    r.btn = static_cast<int32_t>(Dword(u"Btn", position, 0xFFFFFFFF));
    r.company = Text(u"Company", position);
    r.display = Text(u"Display", position);
    r.link = Dword(u"Link", position, 0);
    r.index = Dword(u"Index", position, 0);
    r.phone = Text(u"Phone", position);
    r.type = Text(u"Type", position);
    return r;
}

bool WriteSpeedRecord(int position, const SpeedRecord& r) {
    return PutDword(u"Oid", position, r.oid) && PutText(u"First", position, r.first) &&
           PutText(u"Last", position, r.last) && PutText(u"Middle", position, r.middle) &&
           PutDword(u"Btn", position, static_cast<uint32_t>(r.btn)) &&
           PutText(u"Company", position, r.company) && PutText(u"Display", position, r.display) &&
           PutDword(u"Link", position, r.link) && PutDword(u"Index", position, r.index) &&
           PutText(u"Phone", position, r.phone) && PutText(u"Type", position, r.type);
}

bool DeleteSpeedRecords() { return SettingsStore::DeleteSection(kSpeedCallSection); }
