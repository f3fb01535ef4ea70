#pragma once
// The block of a service code as the dialler sends it to the call-policy window: the words 1 and
// 20, twelve zero bytes, the code in UTF-16LE, a NUL unit, zero fill to a multiple of four bytes.
#include <cstdint>
#include <string_view>
#include <vector>

inline std::vector<uint8_t> CallPolicyBytes(std::u16string_view code) {
    std::vector<uint8_t> block = {1, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const char16_t unit : code) {
        block.push_back(static_cast<uint8_t>(unit));
        block.push_back(static_cast<uint8_t>(unit >> 8));
    }
    block.resize((2 * code.size() + 25) & ~size_t{3}, 0);
    return block;
}
