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

Str ShortDateOfFileTime(uint64_t fileTime) { return Str(ContactDateText(fileTime)); }
