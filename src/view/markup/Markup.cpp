#include "view/markup/Markup.h"

#include <optional>

namespace {

char16_t Upper(char16_t ch) { return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - 32) : ch; }

int DigitValue(char16_t ch, int base) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (base == 16 && Upper(ch) >= u'A' && Upper(ch) <= u'F') return Upper(ch) - u'A' + 10;
    return -1;
}

// The number of the `count` digits at `text`, or -1 when one is not a digit of `base`.
int64_t NumberAt(std::u16string_view text, int count, int base) {
    int64_t value = 0;
    for (int i = 0; i < count; ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return -1;
        value = value * base + digit;
    }
    return value;
}

// A tag recognised at the start of the text: its length and what it does.
struct Tag {
    size_t length;
    bool lineBreak = false;
    TextStyle style;
};

// An opening tag "<X>" or, with a number, "<Pnn>" and "<#rrggbb>".
std::optional<Tag> OpeningTag(std::u16string_view text, TextStyle style) {
    if (text.size() < 3) return std::nullopt;
    const char16_t letter = Upper(text[1]);
    if (letter == u'P' || letter == u'#') {
        const int digits = letter == u'P' ? 2 : 6;
        if (text.size() < static_cast<size_t>(digits) + 3 || text[digits + 2] != u'>') return std::nullopt;
        const int64_t value = NumberAt(text.substr(2), digits, letter == u'P' ? 10 : 16);
        if (value < 0) return std::nullopt;
        if (letter == u'P') {
            style.size = static_cast<int>(value);
        } else {
            style.color = static_cast<uint32_t>(value);
        }
        return Tag{static_cast<size_t>(digits) + 3, false, style};
    }
    if (text[2] != u'>') return std::nullopt;
    switch (letter) {
    case u'B': style.bold = true; break;
    case u'I': style.italic = true; break;
    case u'U': style.underline = true; break;
    case u'S': style.strike = true; break;
    case u'L': return Tag{3, true, style};
    default: return std::nullopt;
    }
    return Tag{3, false, style};
}

// A closing tag "</X>".
std::optional<Tag> ClosingTag(std::u16string_view text, TextStyle style) {
    if (text.size() < 4 || text[3] != u'>') return std::nullopt;
    switch (Upper(text[2])) {
    case u'B': style.bold = false; break;
    case u'I': style.italic = false; break;
    case u'U': style.underline = false; break;
    case u'S': style.strike = false; break;
    case u'P': style.size = 0; break;
    case u'#': style.color = 0; break;
    default: return std::nullopt;
    }
    return Tag{4, false, style};
}

std::optional<Tag> TagAt(std::u16string_view text, const TextStyle& style) {
    if (text.size() < 2 || text[0] != u'<') return std::nullopt;
    return text[1] == u'/' ? ClosingTag(text, style) : OpeningTag(text, style);
}

void Append(Array<StyledRun>& runs, char16_t ch, const TextStyle& style) {
    if (runs.IsEmpty() || !(runs[runs.GetSize() - 1].style == style)) runs.Add({Str(), style});
    runs[runs.GetSize() - 1].text += ch;
}

}  // namespace

Array<StyledRun> ParseMarkup(std::u16string_view text) {
    Array<StyledRun> runs;
    TextStyle style;
    size_t at = 0;
    while (at < text.size()) {
        if (const std::optional<Tag> tag = TagAt(text.substr(at), style)) {
            if (tag->lineBreak) Append(runs, u'\n', style);
            style = tag->style;
            at += tag->length;
        } else {
            Append(runs, text[at++], style);
        }
    }
    return runs;
}

Str StripMarkup(std::u16string_view text) {
    Str plain;
    for (const StyledRun& run : ParseMarkup(text)) plain += run.text;
    return plain;
}
