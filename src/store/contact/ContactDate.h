#pragma once
// The dates of a contact (birthday 0xF0, anniversary 0xF1, further dates) are file times: 100-ns
// units since 1601-01-01 00:00 UTC, a calendar date being 00:00 UTC of its day.
//
// A date without a year (a birthday given as "--02-03") is kept in the year kYearlessYear. That is
// the address books' own convention for a year-less date, which the platform's programs and sync
// partners already read as "no year"; 1604 is a leap year, so 29 February fits. A reader that does
// not know the convention shows a year no contact was born in, never a plausible wrong one; every
// reader of this system shows day and month only.
#include <cstdint>
#include <string>

inline constexpr int kYearlessYear = 1604;

// Whether the file time is a date without a year: 00:00 UTC of a day of kYearlessYear.
[[nodiscard]] bool IsYearlessDate(uint64_t fileTime);

// The date as the user reads it: the device locale's short date, or its month and day for a date
// without a year; empty for a time the platform cannot convert (2^63 and above).
std::u16string ContactDateText(uint64_t fileTime);
