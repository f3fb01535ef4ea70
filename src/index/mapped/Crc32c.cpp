#include "index/mapped/Crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#endif

namespace {

constexpr uint32_t kPolynomial = 0x82F63B78u;

// Eight tables for slicing by eight bytes: table[k][b] is the CRC of byte b followed by k zeros.
using Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables t{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t crc = b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? kPolynomial : 0);
        t[0][b] = crc;
    }
    for (size_t k = 1; k < 8; ++k) {
        for (uint32_t b = 0; b < 256; ++b) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
    }
    return t;
}

constexpr Tables kTables = MakeTables();

uint32_t LoadLittle32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

#if defined(__x86_64__)
__attribute__((target("sse4.2"))) uint32_t ExtendByInstruction(uint32_t crc, const uint8_t* data, size_t size) {
    uint64_t c = ~crc;
    for (; size >= 8; data += 8, size -= 8) {
        uint64_t word;
        std::memcpy(&word, data, 8);
        c = _mm_crc32_u64(c, word);
    }
    auto c32 = static_cast<uint32_t>(c);
    for (; size > 0; ++data, --size) c32 = _mm_crc32_u8(c32, *data);
    return ~c32;
}
#endif

}  // namespace

uint32_t Crc32cExtend(uint32_t crc, const uint8_t* data, size_t size) {
#if defined(__x86_64__)
    static const bool kInstruction = __builtin_cpu_supports("sse4.2");
    if (kInstruction) return ExtendByInstruction(crc, data, size);
#endif
    return Crc32cExtendPortable(crc, data, size);
}

uint32_t Crc32cExtendPortable(uint32_t crc, const uint8_t* data, size_t size) {
    uint32_t c = ~crc;
    while (size >= 8) {
        const uint32_t low = LoadLittle32(data) ^ c;
        const uint32_t high = LoadLittle32(data + 4);
        c = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
            kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^
            kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
            kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
        data += 8;
        size -= 8;
    }
    while (size-- > 0) c = (c >> 8) ^ kTables[0][(c ^ *data++) & 0xFF];
    return ~c;
}
