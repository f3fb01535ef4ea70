#include "categories/ringtones/CallerGroups.h"

#include <array>

namespace {

constexpr std::array<SpecialGroup, 4> kSpecialGroups = {{
    {kGroupDefault, kStrDefaultRingtone, u"#DEFAULT#"},
    {kGroupNoNumber, kStrNoNumber, u"#NOPHONE#"},
    {kGroupNoContact, kStrNoContact, u"#NOCONTACT#"},
    {kGroupNoCategory, kStrNoCategory, u"#NOCAT#"},
}};

}  // namespace

std::span<const SpecialGroup> SpecialGroups() { return kSpecialGroups; }

Str DisplayNameOf(const SpecialGroup& group) {
    Str name;
    (void)name.LoadString(group.nameString);  // as in CallFilterMenu: logged and traced, empty
    return name;
}

Str RingtoneKeyOf(const Str& displayName) {
    for (const SpecialGroup& group : kSpecialGroups) {
        if (DisplayNameOf(group) == displayName) return Str(group.key);
    }
    return displayName;
}
