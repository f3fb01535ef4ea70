#pragma once
// The character classes of phone-number formatting and the ways a text is taken apart by them.
#include <string_view>

#include "core/str/Str.h"

namespace phonetext {

inline constexpr std::u16string_view kDigits = u"1234567890";
// Template characters that take one digit: any digit ("#") or exactly that digit.
inline constexpr std::u16string_view kSlots = u"#1234567890";
// Layout characters: a number holding one of them keeps its own layout.
inline constexpr std::u16string_view kSeparators = u"()[]{}=-~|/_ ";
// Characters that may end the text in front of the digits.
inline constexpr std::u16string_view kOpeningMarks = u"()[]{}=-+~|/";
// Characters gathered with an opening mark in front of the digits.
inline constexpr std::u16string_view kOpeningRun = u"+([{";
// Characters gathered at the start of the text behind the digits.
inline constexpr std::u16string_view kClosingRun = u")]}";
// Characters a template may not hold.
inline constexpr std::u16string_view kForbidden = u"[]{}<>";

[[nodiscard]] constexpr bool IsIn(char16_t ch, std::u16string_view set) {
    return set.find(ch) != std::u16string_view::npos;
}
int CountOf(std::u16string_view text, std::u16string_view set);
// The characters of `text` that are in `set`, or that are not.
Str Only(std::u16string_view text, std::u16string_view set);
Str Without(std::u16string_view text, std::u16string_view set);
// Equal when lower-cased.
[[nodiscard]] bool EqualNoCase(std::u16string_view a, std::u16string_view b);

// A text divided by the first and last character of a class: the middle runs from the one to
// the other, both included. A text without such a character is all "before".
struct Around {
    std::u16string_view before, middle, behind;
};
Around SplitAround(std::u16string_view text, std::u16string_view set);

// The part in front of the digits: when it ends in an opening mark, the run is that mark with
// the opening-run characters directly in front of it.
struct Opening {
    std::u16string_view text, run;
};
Opening SplitOpening(std::u16string_view part);

// The part behind the digits: the run is its leading stretch of closing-run characters.
struct Closing {
    std::u16string_view run, text;
};
Closing SplitClosing(std::u16string_view part);

}  // namespace phonetext
