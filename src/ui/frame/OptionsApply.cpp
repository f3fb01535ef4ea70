#include "ui/frame/OptionsApply.h"

#include <span>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "ext/sync/SyncBlockFormat.h"

namespace {

bool SameFont(const FontSpec& a, const FontSpec& b) {
    return a.face == b.face && a.height == b.height && a.flags == b.flags;
}

std::u16string ReadCustomAlphabet() {
    const std::vector<uint8_t> bytes = SettingsStore::ReadBinary(settings::kAbc, settings::kAbcCustom);
    std::u16string text;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) text.push_back(static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)));
    return text;
}

bool WriteAbc(const AbcBarSettings& abc) {
    std::vector<uint8_t> bytes;
    for (const char16_t unit : abc.custom) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    const bool type = SettingsStore::WriteDword(settings::kAbc, settings::kAbcType, abc.type);
    return SettingsStore::WriteBinary(settings::kAbc, settings::kAbcCustom, bytes) && type;
}

// One changed font: the frame applies it, the setting is written, the flag set.
bool ApplyFont(std::u16string_view section, const FontSpec& font, uint32_t flag, OptionsHost& host, bool list) {
    if (list) {
        host.ApplyListFont(font);
    } else {
        host.ApplyViewFont(font);
    }
    host.SetChangeFlag(flag);
    return WriteFont(section, font);
}

}  // namespace

OptionsState ReadOptionsState(bool templatesActive, int dpi) {
    OptionsState state;
    state.hideSim = SettingsStore::ReadDword(settings::kSettings, settings::kHideSim, 1) != 0;
    state.listFont = ReadFont(settings::kListFont, dpi);
    state.viewFont = ReadFont(settings::kViewFont, dpi);
    state.abc.type = SettingsStore::ReadDword(settings::kAbc, settings::kAbcType, 0);
    state.abc.custom = ReadCustomAlphabet();
    state.incrH = SettingsStore::ReadDword(settings::kAbc, settings::kAbcIncrH, 0);
    state.templatesActive = templatesActive;
    return state;
}

bool ApplyOptions(const OptionsState& before, const OptionsResult& result, int dpiX, OptionsHost& host) {
    if (!result.ok) return true;
    const OptionsState& after = result.state;
    bool written = true;
    const bool hideSimChanged = after.hideSim != before.hideSim;
    if (hideSimChanged) {
        written &= SettingsStore::WriteDword(settings::kSettings, settings::kHideSim, after.hideSim ? 1 : 0);
        host.SetChangeFlag(kHideSimChanged);
    }
    if (!SameFont(after.listFont, before.listFont)) {
        written &= ApplyFont(settings::kListFont, after.listFont, kListFontChanged, host, true);
    }
    if (!SameFont(after.viewFont, before.viewFont)) {
        written &= ApplyFont(settings::kViewFont, after.viewFont, kViewFontChanged, host, false);
    }
    if (!(after.abc == before.abc)) {
        written &= WriteAbc(after.abc);
        host.ApplyAbcSettings(after.abc);
        host.SetChangeFlag(kAbcSettingsChanged);
    }
    if (result.reindex) {
        host.RebuildIndexWithProgress();
        host.SetChangeFlag(kIndexRebuilt);
        host.PostToCallerId(kCallerIdIndexRebuilt);
    }
    if (after.incrH != before.incrH) {
        written &= SettingsStore::WriteDword(settings::kAbc, settings::kAbcIncrH, after.incrH);
        host.SetRowHeightIncrement(static_cast<int>(after.incrH) * ((2 * dpiX + 48) / 96));
        host.SetChangeFlag(kRowHeightChanged);
    }
    const bool activityChanged = after.templatesActive != before.templatesActive;
    if (activityChanged) {
        written &= SettingsStore::WriteDword(settings::kTemplates, settings::kIsActiveTemplate, after.templatesActive ? 1 : 0);
    }
    if (result.templatesEdited || activityChanged) {
        host.ReloadPhoneTemplates();
        host.SetChangeFlag(kPhoneFormatsChanged);
    }
    if (hideSimChanged) {
        host.RebuildList();
    } else {
        host.RedrawList();
    }
    return written;
}
