#pragma once
// Fitting a text into a width: a text that does not fit is cut to the characters that fit in the
// width less the width of "...", loses the spaces and punctuation at the cut (so it never ends in
// " ,..."), and gets "..." appended; when not one character fits, the text is "...". The widths
// come from the caller's measure of the drawing font, so the rule is tested without a display.
#include <functional>
#include <string_view>

#include "core/str/Str.h"

using MeasureText = std::function<int(std::u16string_view)>;

struct FittedText {
    Str text;      // what to draw
    int kept = 0;  // how many leading characters of the original text it shows
};

// The characters removed from the end of a cut text before "..." is appended.
inline constexpr std::u16string_view kCutTrailers = u" .,;:~@#$%^&*_-=+";

FittedText FitText(std::u16string_view text, int width, const MeasureText& measure);
