#pragma once
// Reading the copy-data block of the service-code window (layout in PhoneAbi.h): the 32-bit
// values 1 and 20, 12 zero bytes, the code as UTF-16LE with its terminator, zero fill up to
// (2 x length + 25) rounded down to a multiple of 4.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace plat {

// The service code of a block; nothing for a block that does not have that layout (too short, other
// header words, no terminator, a size that does not fit the code, fill that is not zero).
std::optional<std::u16string> ReadCallPolicyBlock(std::span<const uint8_t> block);

}  // namespace plat
