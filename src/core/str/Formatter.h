#pragma once
// The printf-style formatter behind Str::Format, with the handheld's wide conventions.
//
// Conversion: "%" [flags "-+0 #"] [width: digits or "*"] ["." precision: digits or "*"]
// [size: "h" "l" "F" "N" "L" "I64"] type. "%%" is one percent sign. Each conversion takes the next
// argument (and "*" one more each): c C character, s S string (either width; an absent string
// is "(null)"), d i o u x X integers (32-bit, 16-bit with "h", 64-bit with "I64"), e E f g G
// floating point, p pointer, n stores the characters written so far (given an int*). An unknown
// type is written as itself; an unfinished conversion at the end of the format writes nothing.
#include <cstdint>
#include <string>

#include "core/str/FormatArg.h"

// Widths and precisions above this are refused (the output would be unreasonably large).
inline constexpr int kFormatMaxField = 1 << 20;

// The upper bound of the output length that Str::Format reserves before it formats: each ordinary
// character and "%%" count 1, "#" counts 2, characters 2, strings their length (at least 1, an
// absent one 6) cut to the precision and raised to the width, integers and pointers 32 and
// e E g G 128 unless width + precision is larger, f the length of the value formatted with the
// width and the precision + 6 (at most the larger of precision + 318 and the width, less one).
// -1 when a width or precision is above kFormatMaxField.
int64_t FormatBound(const char16_t* format, FormatArgs args);

// The formatted text.
std::u16string FormatRender(const char16_t* format, FormatArgs args);
