#include "phone/menu/CustomTag.h"

int32_t TextHash16(std::u16string_view text) {
    uint16_t sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t c = text[i];
        const uint32_t add = (i % 2 == 0) ? c : ((c << 8) | (c > 0xFF ? 1u : 0u));
        sum = static_cast<uint16_t>(sum + add);
    }
    return static_cast<int16_t>(sum);
}

uint32_t CustomTag(std::u16string_view name, std::u16string_view value) {
    const uint32_t high = 0xF000u | (static_cast<uint32_t>(TextHash16(name)) & 0x0FFFu);
    return static_cast<uint32_t>(TextHash16(value)) | (high << 16);
}
