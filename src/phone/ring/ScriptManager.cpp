#include "phone/ring/ScriptManager.h"

#include <array>

#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

namespace {

constexpr uint32_t kStrFirstRingType = 41445;  // "Ring"; the types follow in order to "Silent"
constexpr uint32_t kStrUseSystem = 41453;

// Ring types in the older numbering, indexed by their old number.
constexpr std::array<int, ScriptManager::kRingTypes> kFromOldNumbering = {7, 0, 2, 1, 3, 5, 4, 6};

int ReadInt(std::u16string_view name, int def) {
    return static_cast<int32_t>(SettingsStore::ReadDword(settings::kSettings, name, static_cast<uint32_t>(def)));
}

bool WriteInt(std::u16string_view name, int value) {
    return SettingsStore::WriteDword(settings::kSettings, name, static_cast<uint32_t>(value));
}

// `value` when it lies in [low, high], else `fallback`.
int InRange(int value, int low, int high, int fallback) { return value >= low && value <= high ? value : fallback; }

Str Text(uint32_t id) {
    Str text;
    (void)text.LoadString(id);  // a failed load is logged and traced; the text stays empty
    return text;
}

}  // namespace

void ScriptManager::Load() {
    delay_ = InRange(ReadInt(settings::kCidDelay, kDefaultDelay), 0, kMaxDelay, kDefaultDelay);
    type_ = InRange(ReadInt(settings::kCidScript, kUseSystem), kUseSystem, kRingTypes - 1, kUseSystem);
    if (ReadInt(settings::kCidScriptVer, 0) == 0 && type_ != kUseSystem) type_ = kFromOldNumbering[type_];
    volume_ = InRange(ReadInt(settings::kCidVol, kUseSystem), kUseSystem, kMaxVolume, kUseSystem);
}

MenuDescription ScriptManager::RingTypeMenu(uint32_t first) const {
    MenuDescription menu;
    for (int type = 0; type < kRingTypes; ++type) {
        menu.Add(first + type, Text(kStrFirstRingType + type), type == type_);
    }
    menu.AddSeparator();
    menu.Add(first + kRingTypes, Text(kStrUseSystem), type_ == kUseSystem);
    return menu;
}

MenuDescription ScriptManager::RingVolumeMenu(uint32_t first) const {
    MenuDescription menu;
    for (int level = kMaxVolume; level >= 0; --level) {
        Str number;
        (void)number.Format(u"%d", level);  // a short text
        menu.Add(first + level, number, level == volume_);
    }
    menu.AddSeparator();
    menu.Add(first + kMaxVolume + 1, Text(kStrUseSystem), volume_ == kUseSystem);
    return menu;
}

Status ScriptManager::SetRingType(int index) {
    const int type = InRange(index, 0, kRingTypes - 1, kUseSystem);
    if (type == type_) return Status::Ok();
    type_ = type;
    // The version is written only over a type stored in the new numbering.
    return OkOr(WriteInt(settings::kCidScript, type_) && WriteInt(settings::kCidScriptVer, 1), kStrNotSaved);
}

Status ScriptManager::SetRingVolume(int level) {
    const int volume = InRange(level, 0, kMaxVolume, kUseSystem);
    if (volume == volume_) return Status::Ok();
    volume_ = volume;
    return OkOr(WriteInt(settings::kCidVol, volume_), kStrNotSaved);
}
