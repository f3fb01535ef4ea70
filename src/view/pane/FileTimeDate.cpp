#include "view/pane/FileTimeDate.h"

#include <chrono>

#include "store/contact/ContactDate.h"

namespace {

constexpr uint64_t kTicksPerDay = 864000000000ull;
constexpr int64_t kDaysFrom1601To1970 = 134774;

}  // namespace

std::optional<CalendarDate> DateOfFileTime(uint64_t fileTime) {
    if (fileTime >= (1ull << 63)) return std::nullopt;
    const int64_t days = static_cast<int64_t>(fileTime / kTicksPerDay) - kDaysFrom1601To1970;
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    return CalendarDate{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                        static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::optional<uint64_t> FileTimeOfDate(const CalendarDate& date) {
    const std::chrono::year_month_day civil{std::chrono::year{date.year},
                                            std::chrono::month{static_cast<unsigned>(date.month)},
                                            std::chrono::day{static_cast<unsigned>(date.day)}};
    if (date.year < 1601 || date.year > 30000 || !civil.ok()) return std::nullopt;
    const int64_t days = std::chrono::sys_days{civil}.time_since_epoch().count() + kDaysFrom1601To1970;
    return static_cast<uint64_t>(days) * kTicksPerDay;
}

Str ShortDateOfFileTime(uint64_t fileTime) { return Str(ContactDateText(fileTime)); }
