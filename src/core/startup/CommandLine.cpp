#include "core/startup/CommandLine.h"

#include "core/diag/ErrorLog.h"
#include "core/startup/SwitchText.h"
#include "platform/locale/Locale.h"
#include "platform/window/Messages.h"

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<uint32_t> ParseHexNumber(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] == u' ') ++at;
    if (at + 1 < text.size() && text[at] == u'0' && (text[at + 1] == u'x' || text[at + 1] == u'X')) at += 2;
    uint64_t value = 0;
    size_t digits = 0;
    for (; at < text.size() && HexDigit(text[at]) >= 0; ++at, ++digits) {
        value = value * 16 + static_cast<uint64_t>(HexDigit(text[at]));
        if (value > UINT32_MAX) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    return static_cast<uint32_t>(value);
}

ParsedCommandLine SplitCommandLine(std::u16string_view text) {
    ParsedCommandLine parsed;
    if (text.empty()) return parsed;
    const char16_t letter = plat::LowerUnit(text[0]);
    const size_t blank = text.find(u' ');
    const std::optional<std::u16string_view> argument =
        blank == std::u16string_view::npos ? std::nullopt : std::optional(text.substr(blank + 1));
    switch (letter) {
        case u'd':
        case u'f':
        case u'h':
            parsed.commandSwitch = CommandSwitch{letter, 0};
            break;
        case u'n':
        case u'r':
            parsed.commandSwitch = CommandSwitch{letter, 0};
            parsed.switchText = argument;
            break;
        case u'e':
        case u'v': {
            const std::optional<uint32_t> number = argument ? ParseHexNumber(*argument) : std::nullopt;
            if (number && *number != 0) parsed.commandSwitch = CommandSwitch{letter, *number};
            break;
        }
        default:
            break;
    }
    return parsed;
}

bool ParseCommandLine(std::u16string_view text, CommandSwitch& result) {
    const ParsedCommandLine parsed = SplitCommandLine(text);
    if (!parsed.commandSwitch) return false;
    if (parsed.switchText && !StoreSwitchText(*parsed.switchText))
        ErrorLog(u"Unable to keep the switch text", "CommandLine", __LINE__);
    result = *parsed.commandSwitch;
    return true;
}

bool IsNewRequest(std::u16string_view text) { return text == kNewRequest; }

std::optional<WindowRequest> RequestFor(std::u16string_view commandLine) {
    if (IsNewRequest(commandLine)) return WindowRequest{plat::WM_COMMAND, kCmdNewContact, 0};
    CommandSwitch commandSwitch;
    if (!ParseCommandLine(commandLine, commandSwitch)) return std::nullopt;
    return WindowRequest{UM_COMMAND_SWITCH, commandSwitch.letter, static_cast<plat::LPARAM>(commandSwitch.value)};
}
