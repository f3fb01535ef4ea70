#include "platform/pom/ICalendar.h"

#include <ctime>

#include "platform/text/Utf.h"

namespace plat::pom {
namespace {

constexpr uint64_t kFileTimePerSecond = 10'000'000;
constexpr int64_t kUnixEpochInFileTimeSeconds = 11'644'473'600;
constexpr size_t kMaxLineOctets = 75;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string EscapeIcsText(std::u16string_view text) {
    std::u16string escaped;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            escaped += u'\\';
            escaped += c;
        } else if (c == u'\r' || c == u'\n') {
            escaped += u"\\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else if (c >= 0x20 || c == u'\t') {
            escaped += c;
        }
    }
    return ToUtf8(escaped);
}

std::string IcsDateTime(uint64_t fileTime) {
    const std::time_t seconds =
        static_cast<std::time_t>(static_cast<int64_t>(fileTime / kFileTimePerSecond) - kUnixEpochInFileTimeSeconds);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

void AppendIcsLine(std::string_view line, std::string& out) {
    size_t room = kMaxLineOctets;
    while (line.size() > room) {
        size_t cut = room;
        while (cut > 0 && IsContinuationByte(line[cut])) --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = kMaxLineOctets - 1;  // the leading blank counts
    }
    out.append(line);
    out += "\r\n";
}

std::string FormatIcs(const IcsEvent& event) {
    std::string out;
    const auto line = [&out](std::string_view text) { AppendIcsLine(text, out); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Brevane//Object model stand-in//EN");
    line("BEGIN:VEVENT");
    line("UID:" + EscapeIcsText(event.uid));
    line("DTSTAMP:" + IcsDateTime(event.stamp));
    line("DTSTART:" + IcsDateTime(event.start));
    line("DTEND:" + IcsDateTime(event.end));
    line("SUMMARY:" + EscapeIcsText(event.summary));
    if (!event.description.empty()) line("DESCRIPTION:" + EscapeIcsText(event.description));
    if (event.reminderMinutes > 0) {
        line("BEGIN:VALARM");
        line("ACTION:DISPLAY");
        line("DESCRIPTION:" + EscapeIcsText(event.summary));
        line("TRIGGER:-PT" + std::to_string(event.reminderMinutes) + "M");
        line("END:VALARM");
    }
    line("END:VEVENT");
    line("END:VCALENDAR");
    return out;
}

}  // namespace plat::pom
