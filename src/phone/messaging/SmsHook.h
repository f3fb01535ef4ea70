#pragma once
// The option that lets the maker's utility library (VelmoraPimUtil.dll) insert the contact's name
// into incoming SMS texts: "SmsFix" of section "Settings" remembers the choice, the library's
// Util_SetSMSHook / Util_RemoveSMSHook / Util_IsSMSHook put the hook in, take it out and tell
// whether it is in. What the hook does to a message is the library's business.
#include <string_view>

inline constexpr std::u16string_view kSmsFixValue = u"SmsFix";

// Whether the library reports its hook installed; false without the library or the export.
[[nodiscard]] bool IsSmsHookInstalled();

// Writes "SmsFix" (1 or 0), then installs or removes the hook. True when both succeeded.
[[nodiscard]] bool ApplySmsFix(bool on);
