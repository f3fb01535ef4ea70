#include "view/template/TemplateFile.h"

#include <climits>

#include "core/str/CharClass.h"
#include "view/template/TemplateFileFormat.h"

namespace {

bool IsLineEnd(char16_t ch) { return ch == u'\r' || ch == u'\n'; }

char16_t AsciiLower(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + 32) : ch; }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

}  // namespace

TemplateFileText::TemplateFileText(std::span<const uint8_t> bytes) {
    text_.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text_.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    const std::u16string_view text(text_);
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsLineEnd(text[at])) ++at;
        size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        if (end > at) lines_.push_back(text.substr(at, end - at));
        at = end;
    }
}

std::optional<std::vector<std::u16string_view>> TemplateFileText::Section(std::u16string_view key) const {
    std::u16string header = u"[";  // appended: GCC 12 at -O3 warns of "[" + a temporary (-Wrestrict)
    header.append(key).append(u"]");
    size_t line = 0;
    while (line < lines_.size() && !lines_[line].starts_with(header)) ++line;
    if (line == lines_.size()) return std::nullopt;
    std::vector<std::u16string_view> values;
    for (++line; line < lines_.size() && !lines_[line].starts_with(u'[') && values.size() < kMaxSectionLines;
         ++line) {
        values.push_back(lines_[line]);
    }
    return values;
}

void TemplateFileWriter::Header(std::u16string_view key) {
    Put(u"[");
    Put(key);
    Put(u"]\r\n");
}

void TemplateFileWriter::Line(std::u16string_view text) {
    Put(text);
    Put(u"\r\n");
}

void TemplateFileWriter::Put(std::u16string_view text) {
    for (char16_t ch : text) {
        bytes_.push_back(static_cast<uint8_t>(ch & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(ch >> 8));
    }
}

std::optional<bool> ParseBoolean(std::u16string_view text) {
    if (EqualsIgnoringCase(text, kKeyTrue)) return true;
    if (EqualsIgnoringCase(text, kKeyFalse)) return false;
    return std::nullopt;
}

int ParseDecimal(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && IsSpaceChar(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = value * 10 + (text[at] - u'0');
        if (value > static_cast<int64_t>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
