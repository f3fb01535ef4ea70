#pragma once
// The caller-ID menus of the main menu and their commands: "Call Filter" (which caller groups
// the cooperating caller-ID program lets through) and "Ring Settings" (ring type, ring volume,
// the category ringtones). Both take the places of two placeholder items each time the main
// popup opens, and are enabled only while the caller-ID program's window exists. Every change
// is posted to that window. No display is needed here.
#include <cstdint>
#include <string_view>

#include "categories/manager/CategoryEntry.h"
#include "core/array/Array.h"
#include "core/menu/MenuDescription.h"

class CallFilter;
class ScriptManager;

inline constexpr std::u16string_view kCallerIdWindowClass = u"CALLERID_MAINCLASS";
// The main popup, and its two placeholder items with the texts they and the menus show.
inline constexpr uint32_t kMainPopupId = 41120;
inline constexpr uint32_t kCmdCallFilterPlaceholder = 41123;
inline constexpr uint32_t kCmdRingSettingsPlaceholder = 41126;
inline constexpr uint32_t kStrCallFilter = 41438;
inline constexpr uint32_t kStrRingSettings = 41437;
inline constexpr uint32_t kCmdRingtones = 25200;
// Messages to the caller-ID program.
inline constexpr uint32_t kCallerIdRingChanged = 0x0400 + 305;
inline constexpr uint32_t kCallerIdFilterChanged = 0x0400 + 306;
inline constexpr uint32_t kCallerIdRingtonesChanged = 0x0400 + 307;

// Whether the caller-ID program's window exists on the device.
[[nodiscard]] bool CallerIdRunning();
// Posts `message` (wParam and lParam 0) to the caller-ID program; nothing when it is not running.
void PostToCallerId(uint32_t message);

// Replaces the placeholders at count - 4 and count - 3 of `popup` by "Call Filter" (items of the
// filter over `categories`) and "Ring Settings" ("Ring Type", "Ring Volume", "Ringtones..."),
// enabled when `enabled`. A popup too short to hold the placeholders is left alone.
void InsertCallerIdMenus(MenuDescription& popup, const CallFilter& filter, const Array<CategoryEntry>& categories,
                         const ScriptManager& ring, bool enabled);

// What a command of the ring settings or the call filter (25000 to 25499, 25200 aside) does;
// false for any other command. Posts the change to the caller-ID program. A call-filter command
// naming no category changes nothing and still posts.
[[nodiscard]] bool RunCallerIdCommand(uint32_t command, ScriptManager& ring, CallFilter& filter,
                                      const Array<CategoryEntry>& categories);
