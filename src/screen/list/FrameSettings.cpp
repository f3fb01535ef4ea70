#include "screen/list/FrameSettings.h"

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/DialMethod.h"

namespace {

uint32_t Read(std::u16string_view name, uint32_t def) {
    return SettingsStore::ReadDword(settings::kSettings, name, def);
}
bool ReadFlag(std::u16string_view name, bool def) { return Read(name, def ? 1 : 0) != 0; }

}  // namespace

FrameSettings FrameSettings::Load() {
    using namespace settings;
    FrameSettings s;
    const uint32_t sort = Read(kSortType, 0);
    s.sortType = sort <= 2 ? static_cast<ListOrder>(sort) : ListOrder::Name;
    s.abcMode = Read(kAbcMode, kAbcBig);
    if (s.abcMode > kAbcHidden) s.abcMode = kAbcBig;
    s.abcModePrev = Read(kAbcModePrev, kAbcBig);
    if (s.abcModePrev >= kAbcHidden) s.abcModePrev = kAbcBig;
    s.splitVisible = ReadFlag(kSplitVisible, false);
    s.showDPan = ReadFlag(kShowDPan, IsPhoneDevice());
    s.isDoubleSized = ReadFlag(kIsDoubleSized, true);
    s.nameOnly = ReadFlag(kNameOnly, false);
    s.highlight = ReadFlag(kHighlight, true);
    s.hideSim = ReadHideSim();
    s.listCyclic = ReadFlag(kListCyclic, false);
    s.splitThousandths = Read(kSplitPercent, 500);
    if (s.splitThousandths > 1000) s.splitThousandths = 500;
    s.splitMode = Read(kSplitMode, 2);
    s.spltFix = ReadFlag(kSpltFix, false);
    s.spltPosY = Read(kSpltPosY, 1024);
    if (s.spltFix) s.splitMode = 2;
    s.folderPath = SettingsStore::ReadString(kSettings, kFolderPath, u"");
    return s;
}

bool FrameSettings::ReadHideSim() { return ReadFlag(settings::kHideSim, true); }

bool FrameSettings::Store(std::u16string_view name, uint32_t value) {
    return SettingsStore::WriteDword(settings::kSettings, name, value);
}

bool FrameSettings::StoreSplitter() const {
    const bool share = Store(settings::kSplitPercent, splitThousandths);
    const bool fix = Store(settings::kSpltFix, spltFix ? 1 : 0);
    return Store(settings::kSpltPosY, spltPosY) && share && fix;
}
