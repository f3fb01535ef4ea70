#include "index/alphabet/AbcResources.h"

std::span<const uint8_t> FindAbcResource(uint32_t id) {
    for (const AbcResourceEntry& entry : AbcResourceEntries()) {
        if (entry.id == id) return {entry.data, entry.size};
    }
    return {};
}

std::u16string DecodeUtf16Le(std::span<const uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return text;
}

std::optional<std::u16string> DecodeAbcResource(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xFE) return std::nullopt;
    return DecodeUtf16Le(bytes.subspan(2));
}
