#pragma once
// ASCII helpers for the names, types and keywords of imported files (which are ASCII by their
// grammar); other characters compare as themselves.
#include <string>
#include <string_view>

inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = AsciiUpper(c);
    return upper;
}

// Whether `text` equals `ascii` ignoring ASCII case; works for 8- and 16-bit text.
template <typename Char>
[[nodiscard]] bool EqualsAscii(std::basic_string_view<Char> text, std::string_view ascii) {
    if (text.size() != ascii.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = static_cast<char32_t>(text[i]);
        if (c > 0x7F || AsciiUpper(static_cast<char>(c)) != AsciiUpper(ascii[i])) return false;
    }
    return true;
}

[[nodiscard]] inline bool EqualsAscii(std::u16string_view text, std::string_view ascii) {
    return EqualsAscii<char16_t>(text, ascii);
}
[[nodiscard]] inline bool EqualsAscii(std::string_view text, std::string_view ascii) {
    return EqualsAscii<char>(text, ascii);
}

// ASCII text widened to UTF-16 (for names and keywords that are ASCII).
inline std::u16string Widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// An upper-case word of a file (a type, a service) as a label: its first character as it is, the
// others lower-cased ("FRIEND": "Friend").
inline std::u16string AsLabel(std::u16string label) {
    for (size_t i = 1; i < label.size(); ++i) {
        if (label[i] >= u'A' && label[i] <= u'Z') label[i] = static_cast<char16_t>(label[i] + 32);
    }
    return label;
}

// `text` without the blanks and tabs at either end.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}
