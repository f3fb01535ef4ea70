// Calendar dates and file times: a date set in the editor becomes 00:00 of its day and reads back
// as the same day; days that do not exist or precede file times have no file time.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "view/pane/FileTimeDate.h"

namespace {

TEST(FileTimeOfDate, IsMidnightOfTheDayAndReadsBackAsIt) {
    constexpr uint64_t kDay = 864000000000ull;
    const struct {
        CalendarDate date;
        std::optional<uint64_t> fileTime;
    } cases[] = {
        {{1601, 1, 1}, 0},
        {{1601, 1, 2}, kDay},
        {{1970, 1, 1}, 116444736000000000ull},
        {{1604, 2, 29}, (365 * 3 + 31 + 28) * kDay},
        {{2000, 2, 29}, 125962560000000000ull},
        {{2001, 2, 29}, std::nullopt},
        {{1980, 13, 1}, std::nullopt},
        {{1980, 0, 1}, std::nullopt},
        {{1600, 12, 31}, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<uint64_t> fileTime = FileTimeOfDate(c.date);
        EXPECT_EQ(fileTime, c.fileTime) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        if (!fileTime) continue;
        const std::optional<CalendarDate> back = DateOfFileTime(*fileTime);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->year, c.date.year);
        EXPECT_EQ(back->month, c.date.month);
        EXPECT_EQ(back->day, c.date.day);
    }
    const std::optional<CalendarDate> last = DateOfFileTime((1ull << 63) - 1);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(std::tuple(last->year, last->month, last->day), std::tuple(30828, 9, 14));
    EXPECT_FALSE(DateOfFileTime(1ull << 63).has_value()) << "beyond the range of file times";
}

}  // namespace
