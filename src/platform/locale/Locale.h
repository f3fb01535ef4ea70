#pragma once
// Locale services of the device: collation of names, lower-casing one UTF-16 unit at a time, short
// dates, the user's language and country. The locale is the device's (registry), set at init.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Compares two texts with the device locale's collation, no flags: -1, 0 or 1.
int CompareText(std::u16string_view a, std::u16string_view b);

// Lower-cases one UTF-16 unit; units without a single-unit lower case are returned unchanged, so a
// lower-cased text keeps its length and positions.
char16_t LowerUnit(char16_t unit);
void LowerInPlace(std::u16string& text);

// The short date of the device locale for a calendar date (month 1-12).
std::u16string FormatShortDate(int year, int month, int day);
// The device locale's numeric month and day of a date without a year ("2/3" in en_US, "3.2." in
// de_DE); 29 February is a day. Empty for a day that does not exist.
std::u16string FormatMonthDay(int month, int day);

// The user's language as a Windows language identifier (0x0409 English US, 0x0419 Russian, ...).
uint16_t UserLanguageId();

// The telephone country code of the user's country (1 for US, 49 for Germany, 7 for Russia); 0
// when unknown.
uint32_t UserCountryPhoneCode();

// The device locale name ("en_US") and the version of its collation (changes when the order of
// names may change).
std::string LocaleName();
std::string CollationVersion();

// Forgets the cached locale so the next call reads the device registry again (tests, `init`).
void ReloadLocale();

// Where the device keeps its locale name: HKCU kLocaleKey, REG_SZ kLocaleValue ("de_DE"). Without a
// current device, or without that value, the locale is DefaultLocaleName().
inline constexpr std::u16string_view kLocaleKey = u"ControlPanel\\International";
inline constexpr std::u16string_view kLocaleValue = u"LocaleName";

// Writes the device's locale name into its registry and forgets the cached locale.
[[nodiscard]] bool SetDeviceLocale(std::string_view name);

// The host's locale from LANG ("de_DE.UTF-8" gives "de_DE"); "en_US" when LANG is unset, empty,
// "C" or "POSIX".
std::string DefaultLocaleName();

// A locale name without its encoding and modifier ("de_DE.UTF-8@euro" gives "de_DE").
std::string NormalizeLocaleName(std::string_view name);

}  // namespace plat
