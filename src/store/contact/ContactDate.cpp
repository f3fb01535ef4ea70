#include "store/contact/ContactDate.h"

#include <chrono>

#include "platform/locale/Locale.h"

namespace {

constexpr uint64_t kTicksPerDay = 864000000000ull;
constexpr int64_t kDaysFrom1601To1970 = 134774;

std::chrono::year_month_day CivilDate(uint64_t fileTime) {
    const int64_t days = static_cast<int64_t>(fileTime / kTicksPerDay) - kDaysFrom1601To1970;
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{days}}};
}

}  // namespace

bool IsYearlessDate(uint64_t fileTime) {
    return fileTime % kTicksPerDay == 0 && fileTime < (1ull << 63) &&
           static_cast<int>(CivilDate(fileTime).year()) == kYearlessYear;
}

std::u16string ContactDateText(uint64_t fileTime) {
    if (fileTime >= (1ull << 63)) return {};
    const std::chrono::year_month_day date = CivilDate(fileTime);
    const int month = static_cast<int>(static_cast<unsigned>(date.month()));
    const int day = static_cast<int>(static_cast<unsigned>(date.day()));
    if (IsYearlessDate(fileTime)) return plat::FormatMonthDay(month, day);
    return plat::FormatShortDate(static_cast<int>(date.year()), month, day);
}
