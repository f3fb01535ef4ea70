#pragma once
// The "Phone&Dial" options: how calls are placed, when the phone chooser shows, and the switches
// of the cooperating caller-ID program. Read when the page opens, applied when the options end
// with OK: the dial method, the chooser and the tray icon and SMS switches only when changed, the
// call-log and speed-dial switches always (and the speed-dial one always posted), and the
// caller-ID program started or shut down as its switch says.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/str/Str.h"

namespace options {

inline constexpr std::u16string_view kCallerIdWindowClass = u"CALLERID_MAINCLASS";
inline constexpr std::u16string_view kCallerIdProgram = u"\\Windows\\Velmora CallerID.exe";
inline constexpr std::u16string_view kCallerIdShortcut = u"\\Windows\\StartUp\\Velmora CallerID.lnk";
inline constexpr std::u16string_view kCallerIdCaption = u"Velmora Caller ID";
inline constexpr uint32_t kStrLoadError = 43850, kStrUnloadError = 43851;
inline constexpr uint32_t kStrCallerIdStopped = 41219;
// Messages to the caller-ID program (wParam: the new value).
inline constexpr uint32_t kCallerIdTrayChanged = 0x0400 + 300;
inline constexpr uint32_t kCallerIdSpeedDialChanged = 0x0400 + 309;

struct PhoneOptions {
    uint32_t dialupMode = 0;
    uint32_t dialType = 3;  // 1 to 3; other stored values read as 3
    bool callerId = false;  // the caller-ID program runs
    bool trayVisible = true;
    bool smsFix = false;
    bool callLog = false;
    bool speedDial = false;
};

// A choice of a list on the page: the stored value and its text.
struct OptionChoice {
    uint32_t value;
    Str text;
};

// The dial method reads as the one calls use now (the stored one as this device and a dialler
// add-in, `addInRegistered`, resolve it), so the list always shows a choice.
PhoneOptions ReadPhoneOptions(bool addInRegistered);
// The dial methods this device offers: "Just Call" on a phone device, "Sound", the dialler
// add-in by its name when one is registered (`addInName` not empty), "None" elsewhere.
std::vector<OptionChoice> DialMethodChoices(bool phoneDevice, const Str& addInName);
std::vector<OptionChoice> DialTypeChoices();
// Applies the page; false when a setting could not be written or the caller-ID program could
// not be started or stopped (the other steps still run).
[[nodiscard]] bool ApplyPhoneOptions(const PhoneOptions& before, const PhoneOptions& now);

// Starts the caller-ID program (and puts its shortcut in the start-up folder) when `on` and it
// does not run, or asks it to shut down (and removes the shortcut) when it runs and `on` is off.
// Failures and the shutdown are told in message boxes. False when a step failed.
[[nodiscard]] bool SwitchCallerId(bool on);

}  // namespace options
