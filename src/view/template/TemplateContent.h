#pragma once
// The built-in content of the template's groups: the string resources of their names, labels
// and hints, and the keys of their sections in the template file. The names and labels of the
// contact's fields come from the field table (store/contact/ContactFields.h).
#include <cstdint>
#include <span>
#include <string_view>

struct GroupContent {
    std::u16string_view fileKey;        // the list section of the group; empty for the name group
    std::span<const uint32_t> names;   // the built-in names
    std::span<const uint32_t> labels;  // their labels, at the same positions
    uint32_t hint;                     // 0: the group has no hint
};

// The content of group `id` (0 to 11).
const GroupContent& BuiltinContent(int id);

// The built-in messenger types: "AOL", "ICQ", "MSN".
inline constexpr uint32_t kMsgTypeStrings[] = {41167, 41168, 41169};

// Standard names that other code looks for.
inline constexpr uint32_t kStrWorkPhone = 41155;
inline constexpr uint32_t kStrHomePhone = 41156;
inline constexpr uint32_t kStrAssistantPhone = 41162;
inline constexpr uint32_t kStrWorkAddress = 41172;
inline constexpr uint32_t kStrHomeAddress = 41173;
inline constexpr uint32_t kStrOtherAddress = 41174;
inline constexpr uint32_t kStrCategories = 41175;
inline constexpr uint32_t kStrNameLabel = 41313;
