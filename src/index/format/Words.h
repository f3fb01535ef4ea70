#pragma once
// Reading and writing the little-endian 32-bit words of the index images at any address.
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the index images are mapped as they are stored: little-endian hosts only");

inline uint32_t LoadWord(const uint8_t* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline void StoreWord(uint8_t* at, uint32_t value) { std::memcpy(at, &value, sizeof value); }

inline int32_t LoadTag(const uint8_t* at) {
    int32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline void StoreTag(uint8_t* at, int32_t value) { std::memcpy(at, &value, sizeof value); }
