#include "platform/programs/CallPolicyBlock.h"

#include <algorithm>

#include "platform/programs/PhoneAbi.h"

namespace plat {
namespace {

uint32_t Word(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool AllZero(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t byte) { return byte == 0; });
}

}  // namespace

std::optional<std::u16string> ReadCallPolicyBlock(std::span<const uint8_t> block) {
    if (block.size() < kCallPolicyHeaderSize + 2 || Word(block, 0) != 1 || Word(block, 4) != 20 ||
        !AllZero(block.subspan(8, 12))) {
        return std::nullopt;
    }
    std::u16string code;
    size_t at = kCallPolicyHeaderSize;
    for (; at + 1 < block.size(); at += 2) {
        const char16_t unit = static_cast<char16_t>(block[at] | block[at + 1] << 8);
        if (unit == 0) break;
        code.push_back(unit);
    }
    const bool terminated = at + 1 < block.size();
    if (!terminated || block.size() != ((2 * code.size() + 25) & ~size_t{3}) || !AllZero(block.subspan(at))) {
        return std::nullopt;
    }
    return code;
}

}  // namespace plat
