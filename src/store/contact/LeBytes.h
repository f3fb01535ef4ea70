#pragma once
// Little-endian words and NUL-terminated UTF-16LE texts in byte buffers, with bounds checked on
// every read.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

void AppendWord(std::vector<uint8_t>& out, uint32_t value);
void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value);
// Appends the text up to its first NUL, then a NUL unit.
void AppendText(std::vector<uint8_t>& out, std::u16string_view text);

// The word at `at`; nothing when it does not lie wholly inside `bytes`.
std::optional<uint32_t> ReadWord(std::span<const uint8_t> bytes, size_t at);

// A NUL-terminated text starting at `at`, read no further than the end of `bytes`.
struct TextAt {
    std::u16string text;
    size_t end = 0;  // the offset just past the NUL
};
std::optional<TextAt> ReadText(std::span<const uint8_t> bytes, size_t at);

// The characters of a text before its first NUL.
std::u16string_view UpToNul(std::u16string_view text);
