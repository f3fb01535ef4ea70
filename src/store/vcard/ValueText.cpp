#include "store/vcard/ValueText.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// The character an escape `\c` stands for, or 0 when `\c` is not an escape.
char16_t Unescaped(char16_t c) {
    switch (c) {
        case u'\\':
        case u';':
        case u',':
        case u':':
            return c;
        case u'n':
        case u'N':
            return u'\n';
        default:
            return 0;
    }
}

}  // namespace

std::u16string UnescapeText(std::u16string_view escaped) {
    std::u16string text;
    text.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        char16_t c = escaped[i];
        if (c == u'\\' && i + 1 < escaped.size() && Unescaped(escaped[i + 1])) {
            c = Unescaped(escaped[++i]);
        } else if (c == u'\r') {
            if (i + 1 < escaped.size() && escaped[i + 1] == u'\n') ++i;
            c = u'\n';
        }
        if (c == u'\n') {
            text += kLineBreak;
        } else {
            text += c;
        }
    }
    return text;
}

std::vector<std::u16string> SplitEscaped(std::u16string_view escaped, char16_t separator) {
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= escaped.size(); ++i) {
        if (i == escaped.size() || escaped[i] == separator) {
            parts.push_back(UnescapeText(escaped.substr(start, i - start)));
            start = i + 1;
        } else if (escaped[i] == u'\\' && i + 1 < escaped.size()) {
            ++i;  // the escaped character never separates
        }
    }
    return parts;
}

std::u16string EscapeText(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            escaped += u"\\n";
        } else {
            if (c == u'\\' || c == u';' || c == u',') escaped += u'\\';
            escaped += c;
        }
    }
    return escaped;
}

std::u16string JoinEscaped(const std::vector<std::u16string>& parts, char16_t separator) {
    std::u16string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += EscapeText(parts[i]);
    }
    return joined;
}
