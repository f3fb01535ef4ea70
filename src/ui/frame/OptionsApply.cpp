#include "ui/frame/OptionsApply.h"

#include <span>

#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "ext/coord/CoordBlockFormat.h"
#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcResources.h"
#include "platform/objectstore/Utf16Bytes.h"

namespace {

bool SameFont(const FontStyle& a, const FontStyle& b) {
    return a.face == b.face && a.height == b.height && a.flags == b.flags;
}

bool WriteAbc(const AbcBarSettings& abc) {
    const bool type = SettingsStore::WriteDword(settings::kAbc, settings::kAbcType, abc.type);
    return SettingsStore::WriteBinary(settings::kAbc, settings::kAbcCustom, plat::objstore::Utf16Bytes(abc.custom)) && type;
}

// One changed font: the frame applies it, the setting is written, the flag set.
bool ApplyFont(std::u16string_view section, const FontStyle& font, uint32_t flag, OptionsHost& host, bool list) {
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
    state.abc.type = static_cast<uint32_t>(ChosenAbcType());
    state.abc.custom = DecodeUtf16Le(SettingsStore::ReadBinary(settings::kAbc, settings::kAbcCustom));
    state.incrH = SettingsStore::ReadDword(settings::kAbc, settings::kAbcIncrH, 0);
    state.templatesActive = templatesActive;
    return state;
}

Status ApplyOptions(const OptionsState& before, const OptionsResult& result, int dpiX, OptionsHost& host) {
    if (!result.ok) return Status::Ok();
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
    return OkOr(written, kStrOptionsNotSaved);
}
