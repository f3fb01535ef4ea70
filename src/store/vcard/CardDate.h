#pragma once
// Dates of imported and exported cards and tables, as the file times (100-ns units since
// 1601-01-01 00:00 UTC) a contact keeps. A calendar date without a time is the file time of
// 00:00 UTC that day; a date without a year (--MM-DD) takes the year kYearlessYear
// (ContactDate.h), a leap year, so 29 February is kept.
#include <cstdint>
#include <string>
#include <string_view>

#include "store/contact/ContactDate.h"

// "YYYY-MM-DD", "YYYYMMDD", "--MMDD", "--MM-DD", each optionally followed by "T" and a time
// "HH[:MM[:SS[.f...]]]" or "HH[MM[SS]]" with an optional zone "Z", "+hh[:mm]" or "-hh[:mm]"
// (a time without a zone counts as UTC). False for anything else (a year alone, text such as
// "circa 1800") and for instants before 1601 or after 30827.
[[nodiscard]] bool ParseCardDate(std::u16string_view text, uint64_t& fileTime);

// The file time as a card writes it: "YYYY-MM-DD" at 00:00 UTC ("--MM-DD" in the year
// kYearlessYear), otherwise "YYYY-MM-DDTHH:MM:SS[.fffffff]Z"; ParseCardDate reads it back exactly.
std::u16string FormatCardDate(uint64_t fileTime);

enum class TableDate { kDate, kNone, kUnreadable };

// The dates of exported tables: everything ParseCardDate reads, "M/D/YYYY" (day first when the
// first number is above 12), "D.M.YYYY", "YYYY/M/D", two-digit years (below 50: 20xx, else
// 19xx); an empty text or one whose numbers are all zero ("0/0/00") is no date.
TableDate ParseTableDate(std::u16string_view text, uint64_t& fileTime);
