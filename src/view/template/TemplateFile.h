#pragma once
// Reading and writing the lines and sections of the template file (docs/template-file.md).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The file's text taken apart into lines: maximal runs of characters other than CR and LF, the
// empty ones left out. An odd last byte is ignored.
class TemplateFileText {
public:
    explicit TemplateFileText(std::span<const uint8_t> bytes);

    // The lines of section `key`: those after the first line that begins with "[key]", up to the
    // next line that begins with "[" or the end, at most kMaxSectionLines of them. Nothing when
    // no line begins with the header.
    std::optional<std::vector<std::u16string_view>> Section(std::u16string_view key) const;

private:
    std::u16string text_;
    std::vector<std::u16string_view> lines_;
};

// Builds the file's bytes: headers and lines, each ending in CR LF.
class TemplateFileWriter {
public:
    void Header(std::u16string_view key);
    void Line(std::u16string_view text);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    void Put(std::u16string_view text);
    std::vector<uint8_t> bytes_;
};

// A boolean line: "true" or "false" in any case; nothing for any other text.
std::optional<bool> ParseBoolean(std::u16string_view text);
// A decimal line as the platform's string-to-integer reads it: leading blanks, a sign, digits up
// to the first other character; 0 when there are none; the int range's bound when too large.
int ParseDecimal(std::u16string_view text);
