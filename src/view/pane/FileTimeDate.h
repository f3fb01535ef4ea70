#pragma once
// Dates of contacts are stored as file times: 100-nanosecond units since 1601-01-01, taken as
// they are (no time-zone shift), as the handheld's own conversion to a system date does.
#include <cstdint>
#include <optional>

#include "core/str/Str.h"

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

// The calendar date of a file time; none for a time at or above 2^63, which the platform's
// conversion refuses.
std::optional<CalendarDate> DateOfFileTime(uint64_t fileTime);
// The file time of 00:00 of a calendar date from 1601-01-01 on; none for an earlier or
// impossible date (30 February).
std::optional<uint64_t> FileTimeOfDate(const CalendarDate& date);

// The date in the user's short date format (day and month only for a date without a year,
// ContactDate.h); empty when it cannot be converted or formatted.
Str ShortDateOfFileTime(uint64_t fileTime);
