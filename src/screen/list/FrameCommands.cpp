#include "screen/list/FrameCommands.h"

#include <string_view>

#include "core/diag/ErrorLog.h"
#include "core/settings/SettingsKeys.h"
#include "ext/coord/Coordination.h"

namespace {

using namespace framecmd;

// Writes a changed value; a registry that refuses it leaves the change for this run and a line
// in the error log.
void Write(std::u16string_view name, uint32_t value) {
    if (!FrameSettings::Store(name, value)) {
        ErrorLog(u"Unable to write setting " + std::u16string(name), "FrameCommands", __LINE__);
    }
}

bool SetFlag(bool& field, bool value, std::u16string_view name) {
    if (field == value) return false;
    field = value;
    Write(name, value ? 1 : 0);
    return true;
}

bool SetMode(FrameSettings& s, uint32_t mode) {
    if (s.abcMode == mode) return false;
    if (mode == kAbcHidden) {
        s.abcModePrev = s.abcMode;
        Write(settings::kAbcModePrev, s.abcModePrev);
    }
    s.abcMode = mode;
    Write(settings::kAbcMode, mode);
    return true;
}

SettingChange Order(FrameSettings& s, ListOrder order, ChangeAnnouncer& announcer) {
    if (s.sortType == order) return {true};
    s.sortType = order;
    Write(settings::kSortType, static_cast<uint32_t>(order));
    announcer.Announce(kFlagSortOrder);
    return {true, true, false, false, false, static_cast<int>(kFlagSortOrder)};
}

SettingChange Announced(bool changed, uint32_t flag, ChangeAnnouncer& announcer) {
    if (!changed) return {true};
    announcer.Announce(flag);
    return {true, false, true, false, false, static_cast<int>(flag)};
}

}  // namespace

void CoordinationAnnouncer::Announce(uint32_t flag) {
    if (Coordination* coord = Coordination::Instance()) coord->SetChangeFlag(flag, 1);
}

SettingChange ApplySettingCommand(uint32_t command, FrameSettings& s, ChangeAnnouncer& announcer) {
    const auto redraw = [](bool changed) { return SettingChange{true, false, changed}; };
    const auto relayout = [](bool changed) { return SettingChange{true, false, false, changed}; };
    switch (command) {
        case kShowOnlyName:
            return Announced(SetFlag(s.nameOnly, !s.nameOnly, settings::kNameOnly), kFlagNameOnly, announcer);
        case kHighlight: return redraw(SetFlag(s.highlight, !s.highlight, settings::kHighlight));
        case kOneLine:
            return Announced(SetFlag(s.isDoubleSized, false, settings::kIsDoubleSized), kFlagDoubleSized,
                             announcer);
        case kTwoLine:
            return Announced(SetFlag(s.isDoubleSized, true, settings::kIsDoubleSized), kFlagDoubleSized,
                             announcer);
        case kShowPhonePanel: return relayout(SetFlag(s.showDPan, !s.showDPan, settings::kShowDPan));
        case kPreview: return relayout(SetFlag(s.splitVisible, !s.splitVisible, settings::kSplitVisible));
        case kSortName: return Order(s, ListOrder::Name, announcer);
        case kSortFileAs: return Order(s, ListOrder::FileAs, announcer);
        case kSortCompany: return Order(s, ListOrder::Company, announcer);
        case kHideAbcBar: return relayout(SetMode(s, kAbcHidden));
        case kSmallAbcBar: return relayout(SetMode(s, kAbcSmall));
        case kBigAbcBar: {
            SettingChange change = relayout(SetMode(s, kAbcBig));
            change.lowerInputPanel = true;
            return change;
        }
        case kAbcBar: return relayout(SetMode(s, s.abcMode == kAbcHidden ? s.abcModePrev : kAbcHidden));
        default: return {};
    }
}
