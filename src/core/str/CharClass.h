#pragma once
// Character classes the string operations rely on.

// White space as the platform classes it: the ASCII controls tab to carriage return, the blank,
// and the Unicode separators (next line, no-break space, the general-punctuation spaces, the
// line and paragraph separators, the ideographic space).
[[nodiscard]] constexpr bool IsSpaceChar(char16_t ch) {
    return (ch >= 0x09 && ch <= 0x0D) || ch == 0x20 || ch == 0x85 || ch == 0xA0 || ch == 0x1680 ||
           (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 || ch == 0x2029 || ch == 0x202F ||
           ch == 0x205F || ch == 0x3000;
}
