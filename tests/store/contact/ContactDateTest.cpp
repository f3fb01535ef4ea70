// Dates as the user reads them: the device locale's short date, day and month only for a date
// without a year (kept in the year 1604).
#include "store/contact/ContactDate.h"

#include <gtest/gtest.h>

#include "support/TempDevice.h"

namespace {

constexpr uint64_t kDay = 864'000'000'000;
constexpr uint64_t kFeb3rd1604 = 1'128 * kDay;  // days since 1601-01-01
constexpr uint64_t kFeb29th1604 = 1'154 * kDay;
constexpr uint64_t kFeb3rd2004 = 147'225 * kDay;

}  // namespace

TEST(ContactDate, DatesWithoutAYearShowDayAndMonthOnly) {
    const struct {
        const char* locale;
        uint64_t date;
        bool yearless;
        std::u16string text;
    } cases[] = {
        {"en_US", kFeb3rd1604, true, u"2/3"},
        {"en_US", kFeb29th1604, true, u"2/29"},
        {"en_US", kFeb3rd2004, false, u"2/3/04"},
        {"en_US", kFeb3rd1604 + 3600ull * 10'000'000, false, u"2/3/04"},  // a time of day: a real instant
        {"de_DE", kFeb3rd1604, true, u"3.2."},
        {"de_DE", kFeb3rd2004, false, u"03.02.04"},
        {"en_US", 1ull << 63, false, u""},
    };
    for (const auto& c : cases) {
        TempDevice device({.locale = c.locale});
        EXPECT_EQ(IsYearlessDate(c.date), c.yearless) << c.date;
        EXPECT_EQ(ContactDateText(c.date), c.text) << c.locale << " " << c.date;
    }
}
