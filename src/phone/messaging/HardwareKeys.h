#pragma once
// The hardware buttons of the shell (HKLM "SOFTWARE\Microsoft\Shell\Keys\<code>", codes 40c1 to
// 40c5 in lower-case hexadecimal): the default value and "ResetCmd" hold the command a button
// starts, "Icon" and "Name" how it is shown.
#include <optional>
#include <string>
#include <string_view>

// The code ("40c2") of the first button whose "ResetCmd" or default value contains `text`,
// ignoring case; nothing when none does.
std::optional<std::u16string> FindHardwareKey(std::u16string_view text);

// On: the button for contacts (else the one for "\Speed Dial.lnk") starts this program: its
// default value and "ResetCmd" become the quoted program path and "Icon" "<path>, 0", after its
// "ResetCmd", default value, "Icon" and "Name" were copied to "PrevResetCmd", "PrevDef",
// "PrevIcon" and "PrevName". A button that already starts this program is only brought up to
// the current path (its "Prev" values keep the platform's command), so taking over twice changes
// nothing. False when no button fits, the program path is unknown or a step failed.
// Off: the button that starts this program gets back the values kept in "Prev" values, which are
// then deleted. A failed step leaves the values it did not reach unchanged.
[[nodiscard]] bool AssignHardwareKey(bool on);
