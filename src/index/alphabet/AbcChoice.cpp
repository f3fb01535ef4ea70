#include "index/alphabet/AbcChoice.h"

#include <optional>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/alphabet/AbcResources.h"
#include "platform/locale/Locale.h"

namespace {

constexpr uint16_t kLangEnglishUs = 0x0409;
constexpr uint16_t kPrimaryEnglish = 0x09, kPrimaryRussian = 0x19, kPrimaryGerman = 0x07;

int TypeOfLanguage(uint16_t languageId) {
    if (languageId == 0) languageId = kLangEnglishUs;
    switch (languageId & 0x3FF) {
    case kPrimaryRussian: return kAbcRussian;
    case kPrimaryGerman: return kAbcGerman;
    case kPrimaryEnglish:
    default: return kAbcEnglish;
    }
}

std::optional<AbcDefinition> TryParse(std::u16string_view text) {
    AbcDefinition definition;
    if (!ParseAbcDefinition(text, definition)) return std::nullopt;
    return definition;
}

std::optional<AbcDefinition> TryResource(uint32_t id) {
    const std::optional<std::u16string> text = DecodeAbcResource(FindAbcResource(id));
    if (!text) return std::nullopt;
    return TryParse(*text);
}

}  // namespace

uint32_t AbcResourceOfType(int type) {
    switch (type) {
    case kAbcEnglish: return kAbcResEnglish;
    case kAbcRussian: return kAbcResRussian;
    case kAbcEnglishRussian: return kAbcResEnglishRussian;
    case kAbcGerman: return kAbcResGerman;
    default: return 0;
    }
}

int ResolveAbcType(uint32_t setting, uint16_t languageId) {
    if (setting < kAbcTypeCount) return static_cast<int>(setting);
    return TypeOfLanguage(languageId);
}

AbcDefinition LoadAbcDefinition(int type, std::u16string_view customText) {
    std::optional<AbcDefinition> chosen =
        type == kAbcCustom ? TryParse(customText) : TryResource(AbcResourceOfType(type));
    if (!chosen) chosen = TryResource(kAbcResEnglish);
    return chosen ? std::move(*chosen) : AbcDefinition();
}

int ChosenAbcType() {
    const uint32_t setting = SettingsStore::ReadDword(settings::kAbc, settings::kAbcType, 0xFFFFFFFF);
    return ResolveAbcType(setting, plat::UserLanguageId());
}

AbcDefinition LoadChosenAbcDefinition() {
    const int type = ChosenAbcType();
    std::u16string custom;
    if (type == kAbcCustom) {
        const std::vector<uint8_t> bytes = SettingsStore::ReadBinary(settings::kAbc, settings::kAbcCustom);
        custom = DecodeUtf16Le(bytes);
    }
    return LoadAbcDefinition(type, custom);
}

void ReloadAbcGroupTable() { AbcGroupTable::Instance().Load(LoadChosenAbcDefinition()); }
