#pragma once
// The groups of callers that ringtones and the call filter are kept for: every category, and four
// special groups with fixed display names (string resources), ringtone keys and filter ids.
#include <cstdint>
#include <span>
#include <string_view>

#include "core/str/Str.h"

// Call filter ids of the special groups; a category is filtered by its own (platform) id.
inline constexpr int32_t kGroupDefault = 0;     // never filtered
inline constexpr int32_t kGroupNoNumber = -1;   // calls without a number
inline constexpr int32_t kGroupNoContact = -2;  // numbers that match no contact
inline constexpr int32_t kGroupNoCategory = -3; // contacts without a category

// String resources of the call filter and ringtone screens.
inline constexpr uint32_t kStrDefaultRingtone = 41441;
inline constexpr uint32_t kStrNoNumber = 41442;
inline constexpr uint32_t kStrNoContact = 41443;
inline constexpr uint32_t kStrNoCategory = 41444;
inline constexpr uint32_t kStrEnableAll = 41454;
inline constexpr uint32_t kStrDisableAll = 41455;

struct SpecialGroup {
    int32_t id;
    uint32_t nameString;        // its display name
    std::u16string_view key;    // its value name in section "Ringtone"
};

// The four special groups in display order: default, no number, no contact, no category.
std::span<const SpecialGroup> SpecialGroups();

// The display name of a special group (loaded from the string resources).
Str DisplayNameOf(const SpecialGroup& group);

// The ringtone key of a display name: a special group's display name gives its key, any other
// name (a category's) is its own key.
Str RingtoneKeyOf(const Str& displayName);
