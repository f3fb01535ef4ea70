#include "phone/dial/CallPolBlock.h"

std::vector<uint8_t> BuildCallPolBlock(std::u16string_view number) {
    const size_t size = (2 * number.size() + 25) & ~size_t{3};
    std::vector<uint8_t> block(size, 0);
    block[0] = 1;
    block[4] = 20;
    size_t at = 20;
    for (const char16_t c : number) {
        block[at++] = static_cast<uint8_t>(c);
        block[at++] = static_cast<uint8_t>(c >> 8);
    }
    return block;
}
