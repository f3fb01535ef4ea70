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
// The instruction takes three cycles and can start one each cycle, so three independent streams
// over three neighbouring stripes run three times as fast as one. The streams are joined by
// shifting a CRC over the bytes that follow it: the CRC is linear in its starting value, so
// crc(s, A B) = Shift|B|(crc(s, A)) ^ crc(0, B), where Shift is a fixed 32x32 bit matrix, applied
// here byte by byte through four tables.
constexpr size_t kStripeBytes = 4096;

using ShiftTables = std::array<std::array<uint32_t, 256>, 4>;

__attribute__((target("sse4.2"))) uint32_t ExtendRaw(uint32_t c32, const uint8_t* data, size_t size) {
    uint64_t c = c32;
    for (; size >= 8; data += 8, size -= 8) {
        uint64_t word;
        std::memcpy(&word, data, 8);
        c = _mm_crc32_u64(c, word);
    }
    c32 = static_cast<uint32_t>(c);
    for (; size > 0; ++data, --size) c32 = _mm_crc32_u8(c32, *data);
    return c32;
}

// The tables of Shift over one stripe of zero bytes: each bit's image, combined per byte.
ShiftTables MakeStripeShift() {
    static const std::array<uint8_t, kStripeBytes> kZeros{};
    std::array<uint32_t, 32> bit{};
    for (int i = 0; i < 32; ++i) bit[i] = ExtendRaw(uint32_t{1} << i, kZeros.data(), kZeros.size());
    ShiftTables t{};
    for (int k = 0; k < 4; ++k) {
        for (uint32_t b = 0; b < 256; ++b) {
            for (int i = 0; i < 8; ++i) {
                if ((b >> i & 1) != 0) t[k][b] ^= bit[8 * k + i];
            }
        }
    }
    return t;
}

uint32_t ShiftOverStripe(const ShiftTables& t, uint32_t c) {
    return t[0][c & 0xFF] ^ t[1][(c >> 8) & 0xFF] ^ t[2][(c >> 16) & 0xFF] ^ t[3][c >> 24];
}

__attribute__((target("sse4.2"))) uint32_t ExtendByInstruction(uint32_t crc, const uint8_t* data, size_t size) {
    static const ShiftTables kShift = MakeStripeShift();
    uint32_t c = ~crc;
    for (; size >= 3 * kStripeBytes; data += 3 * kStripeBytes, size -= 3 * kStripeBytes) {
        uint64_t a = c, b = 0, d = 0;
        for (size_t at = 0; at < kStripeBytes; at += 8) {
            uint64_t wa, wb, wd;
            std::memcpy(&wa, data + at, 8);
            std::memcpy(&wb, data + kStripeBytes + at, 8);
            std::memcpy(&wd, data + 2 * kStripeBytes + at, 8);
            a = _mm_crc32_u64(a, wa);
            b = _mm_crc32_u64(b, wb);
            d = _mm_crc32_u64(d, wd);
        }
        c = ShiftOverStripe(kShift, ShiftOverStripe(kShift, static_cast<uint32_t>(a)) ^ static_cast<uint32_t>(b)) ^
            static_cast<uint32_t>(d);
    }
    return ~ExtendRaw(c, data, size);
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
