#pragma once
// The program's command line: one switch letter, then optionally a blank and an argument. The
// shell, the Today item and the sibling programs ask the running program to show, edit or create
// a contact through it. Parsing never fails loudly: text that holds no usable switch simply asks
// for nothing.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/window/WindowTypes.h"

// The private message that carries a switch to the main window: wParam holds the letter in its
// low 16 bits, lParam the value.
inline constexpr uint32_t UM_COMMAND_SWITCH = 0x0400 + 125;
// The "/NEW" request travels as WM_COMMAND with the "New Contact" command and lParam 0.
inline constexpr uint32_t kCmdNewContact = 41209;
inline constexpr std::u16string_view kNewRequest = u"/NEW";

struct CommandSwitch {
    char16_t letter = 0;  // lower case
    uint32_t value = 0;   // 0 for switches without a number
};

// A command line taken apart, without side effects: the switch (if the text holds a usable one)
// and the text argument of `n` and `r` (if present) exactly as given.
struct ParsedCommandLine {
    std::optional<CommandSwitch> commandSwitch;
    std::optional<std::u16string_view> switchText;
};
ParsedCommandLine SplitCommandLine(std::u16string_view text);

// SplitCommandLine, and a text argument is written to param.tmp (SwitchText.h) before the switch
// is returned, so a second instance that only forwards the request still hands the text on. True
// when the text holds a usable switch. A param.tmp that cannot be written leaves the switch in
// force without text.
[[nodiscard]] bool ParseCommandLine(std::u16string_view text, CommandSwitch& result);

// True for exactly "/NEW" (case-sensitive; "/new" is not the request).
[[nodiscard]] bool IsNewRequest(std::u16string_view text);

// Reads an unsigned hexadecimal number: leading blanks skipped, an optional "0x", digits up to the
// first character that is not one. Nothing when there is no digit or the number does not fit in
// 32 bits (a longer number never names another contact by wrapping around).
std::optional<uint32_t> ParseHexNumber(std::u16string_view text);

// The message a command line asks the main window for: WM_COMMAND kCmdNewContact for "/NEW",
// UM_COMMAND_SWITCH for a switch (param.tmp written as ParseCommandLine does), nothing otherwise.
struct WindowRequest {
    uint32_t message = 0;
    plat::WPARAM wParam = 0;
    plat::LPARAM lParam = 0;
};
std::optional<WindowRequest> RequestFor(std::u16string_view commandLine);
