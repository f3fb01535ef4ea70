#pragma once
// CRC-32C (Castagnoli, reflected polynomial 0x82F63B78, initial and final value 0xFFFFFFFF): the
// checksum at the end of every index file. Crc32c("123456789") is 0xE3069283.
#include <cstddef>
#include <cstdint>

// The CRC of `size` bytes continuing a CRC computed so far (start with 0 for new data).
uint32_t Crc32cExtend(uint32_t crc, const uint8_t* data, size_t size);

inline uint32_t Crc32c(const uint8_t* data, size_t size) { return Crc32cExtend(0, data, size); }
