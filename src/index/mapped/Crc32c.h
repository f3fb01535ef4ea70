#pragma once
// CRC-32C (Castagnoli, reflected polynomial 0x82F63B78, initial and final value 0xFFFFFFFF): the
// checksum at the end of every index file. Crc32c("123456789") is 0xE3069283.
#include <cstddef>
#include <cstdint>

// The CRC of `size` bytes continuing a CRC computed so far (start with 0 for new data). Uses the
// processor's CRC-32C instruction where it has one (x86-64 with SSE 4.2): opening an index file
// checks every byte of it.
uint32_t Crc32cExtend(uint32_t crc, const uint8_t* data, size_t size);
// The same by tables, on any processor.
uint32_t Crc32cExtendPortable(uint32_t crc, const uint8_t* data, size_t size);

inline uint32_t Crc32c(const uint8_t* data, size_t size) { return Crc32cExtend(0, data, size); }
