#include "core/settings/FontSettings.h"

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

int32_t DefaultFontHeight(int dpi) {
    return -static_cast<int32_t>(dpi * 8.0 / 72.0 + 0.5);
}

FontStyle ReadFont(std::u16string_view section, int dpi) {
    FontStyle font;
    font.face = SettingsStore::ReadString(section, settings::kFontName, kDefaultFontFace);
    font.height = static_cast<int32_t>(SettingsStore::ReadDword(
        section, settings::kFontHeight, static_cast<uint32_t>(DefaultFontHeight(dpi))));
    font.flags = SettingsStore::ReadDword(section, settings::kFontFlags, 0);
    return font;
}

bool WriteFont(std::u16string_view section, const FontStyle& font) {
    const bool name = SettingsStore::WriteString(section, settings::kFontName, font.face.View());
    const bool height =
        SettingsStore::WriteDword(section, settings::kFontHeight, static_cast<uint32_t>(font.height));
    const bool flags = SettingsStore::WriteDword(section, settings::kFontFlags, font.flags);
    return name && height && flags;
}
