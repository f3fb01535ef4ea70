#pragma once
// iCalendar (RFC 5545) text of one appointment, as the object model hands an appointment to a
// desktop calendar: UTF-8, CR LF line ends, content lines folded at 75 octets (never inside a
// UTF-8 sequence), texts escaped.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat::pom {

struct IcsEvent {
    std::u16string uid;
    std::u16string summary;
    std::u16string description;
    uint64_t start = 0;     // file times (UTC)
    uint64_t end = 0;
    uint64_t stamp = 0;     // when the event was written
    int reminderMinutes = 0;  // a display alarm this long before the start; none when 0
};

std::string FormatIcs(const IcsEvent& event);

// A TEXT value escaped: backslash, semicolon and comma get a backslash, line breaks (CR LF, LF or
// CR) become "\n", other control characters but the tab are dropped.
std::string EscapeIcsText(std::u16string_view text);

// A file time as a UTC date-time "YYYYMMDDTHHMMSSZ".
std::string IcsDateTime(uint64_t fileTime);

// Appends one content line folded to at most 75 octets a line, ended by CR LF.
void AppendIcsLine(std::string_view line, std::string& out);

}  // namespace plat::pom
