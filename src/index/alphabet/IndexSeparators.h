#pragma once
// The characters that separate the words of a contact's texts. Words are indexed, searched,
// grouped for the alphabet bar and highlighted between them, so every one of those uses this one
// set.
#include <algorithm>
#include <string_view>

// Line breaks, tab, blank, and the ASCII punctuation except tilde and plus, with the numero sign.
inline constexpr std::u16string_view kIndexSeparators =
    u"\r\n\t `!@#$%^&*()_|{}:\"/<>?[];',.\u2116-=\\";

[[nodiscard]] constexpr bool IsIndexSeparator(char16_t ch) {
    return std::find(kIndexSeparators.begin(), kIndexSeparators.end(), ch) != kIndexSeparators.end();
}
