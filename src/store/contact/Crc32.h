#pragma once
// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial and final value 0xFFFFFFFF),
// the checksum zlib and PNG use: Crc32("123456789") is 0xCBF43926.
#include <cstdint>
#include <span>

uint32_t Crc32(std::span<const uint8_t> bytes);
