#include "platform/pom/ICalendar.h"

#include <gtest/gtest.h>

using namespace plat::pom;

namespace {

// 2024-03-01 09:00:00 UTC as a file time.
constexpr uint64_t kMarch1 = (1709283600ull + 11644473600ull) * 10000000ull;
constexpr uint64_t kHour = 36000000000ull;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

}  // namespace

TEST(ICalendar, AppointmentIsACompleteCalendar) {
    IcsEvent event{u"1a-00@brevane", u"Call Anna; bring notes, too", u"Line 1\r\nLine\x01 2\\",
                   kMarch1, kMarch1 + kHour, kMarch1 - kHour, 15};
    EXPECT_EQ(FormatIcs(event),
              "BEGIN:VCALENDAR\r\n"
              "VERSION:2.0\r\n"
              "PRODID:-//Brevane//Object model stand-in//EN\r\n"
              "BEGIN:VEVENT\r\n"
              "UID:1a-00@brevane\r\n"
              "DTSTAMP:20240301T080000Z\r\n"
              "DTSTART:20240301T090000Z\r\n"
              "DTEND:20240301T100000Z\r\n"
              "SUMMARY:Call Anna\\; bring notes\\, too\r\n"
              "DESCRIPTION:Line 1\\nLine 2\\\\\r\n"
              "BEGIN:VALARM\r\n"
              "ACTION:DISPLAY\r\n"
              "DESCRIPTION:Call Anna\\; bring notes\\, too\r\n"
              "TRIGGER:-PT15M\r\n"
              "END:VALARM\r\n"
              "END:VEVENT\r\n"
              "END:VCALENDAR\r\n");
}

TEST(ICalendar, LongLinesFoldAt75OctetsWithoutSplittingCharacters) {
    for (const std::u16string& unit : {std::u16string(u"a"), std::u16string(u"\U0001F600")}) {
        std::u16string text;
        for (int i = 0; i < 120; ++i) text += unit;
        const std::string line = "SUMMARY:" + EscapeIcsText(text);
        std::string out;
        AppendIcsLine(line, out);
        std::string unfolded;
        const auto lines = Lines(out);
        ASSERT_GT(lines.size(), 1u);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 75u);
            if (i > 0) {
                ASSERT_EQ(lines[i][0], ' ');
                // A continuation never starts inside a UTF-8 sequence.
                if (lines[i].size() > 1) {
                    EXPECT_NE(static_cast<unsigned char>(lines[i][1]) & 0xC0, 0x80);
                }
            }
            unfolded += i == 0 ? lines[i] : lines[i].substr(1);
        }
        EXPECT_EQ(unfolded, line);
    }
}
