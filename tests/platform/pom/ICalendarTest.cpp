#include "platform/pom/ICalendar.h"

#include <gtest/gtest.h>

using namespace plat::pom;

namespace {

// 2024-03-01 09:00:00 UTC as a file time.
constexpr uint64_t kMarch1 = (1709283600ull + 11644473600ull) * 10000000ull;
constexpr uint64_t kHour = 36000000000ull;

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

// A line longer than 75 octets goes on in lines that start with a space, each as full as it can be
// without splitting a character.
TEST(ICalendar, LongLinesFoldAt75OctetsWithoutSplittingCharacters) {
    const struct {
        std::string unit;
        std::vector<int> unitsPerLine;
    } cases[] = {{"a", {67, 53}}, {"\xf0\x9f\x98\x80", {16, 18, 18, 18, 18, 18, 14}}};
    for (const auto& c : cases) {
        std::string line = "SUMMARY:", expected;
        for (int i = 0; i < 120; ++i) line += c.unit;
        for (size_t i = 0; i < c.unitsPerLine.size(); ++i) {
            expected += i == 0 ? "SUMMARY:" : " ";
            for (int k = 0; k < c.unitsPerLine[i]; ++k) expected += c.unit;
            expected += "\r\n";
        }
        std::string out;
        AppendIcsLine(line, out);
        EXPECT_EQ(out, expected) << c.unitsPerLine.size() << " lines";
    }
}
