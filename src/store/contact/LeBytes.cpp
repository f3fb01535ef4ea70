#include "store/contact/LeBytes.h"

void AppendWord(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void AppendText(std::vector<uint8_t>& out, std::u16string_view text) {
    for (char16_t unit : UpToNul(text)) {
        out.push_back(static_cast<uint8_t>(unit));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
    out.push_back(0);
    out.push_back(0);
}

std::optional<uint32_t> ReadWord(std::span<const uint8_t> bytes, size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t{bytes[at + i]} << (8 * i);
    return value;
}

std::optional<TextAt> ReadText(std::span<const uint8_t> bytes, size_t at) {
    TextAt result;
    for (size_t pos = at; pos <= bytes.size() && bytes.size() - pos >= 2; pos += 2) {
        const auto unit = static_cast<char16_t>(bytes[pos] | (bytes[pos + 1] << 8));
        if (unit == 0) {
            result.end = pos + 2;
            return result;
        }
        result.text.push_back(unit);
    }
    return std::nullopt;
}

std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, text.find(u'\0'));
}
