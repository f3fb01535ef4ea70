#include "store/vcard/NoteText.h"

#include <cstdint>
#include <vector>

ByteBlock NoteFromText(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return ByteBlock(std::move(bytes));
}
