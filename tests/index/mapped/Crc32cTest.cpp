#include "index/mapped/Crc32c.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Both ways of computing (the processor's instruction where present, and the tables).
TEST(Crc32c, KnownValuesAndPiecewiseExtension) {
    const std::string digits = "123456789";
    const std::pair<std::vector<uint8_t>, uint32_t> cases[] = {
        {{digits.begin(), digits.end()}, 0xE3069283u},
        {std::vector<uint8_t>(32, 0), 0x8A9136AAu},
        {{}, 0u},
    };
    for (const auto& [bytes, crc] : cases) {
        for (const auto extend : {&Crc32cExtend, &Crc32cExtendPortable}) {
            EXPECT_EQ(extend(0, bytes.data(), bytes.size()), crc);
            for (size_t cut = 0; cut <= bytes.size(); cut += 3) {
                EXPECT_EQ(extend(extend(0, bytes.data(), cut), bytes.data() + cut, bytes.size() - cut), crc)
                    << "split at " << cut;
            }
        }
    }
}

// Long inputs run through three interleaved streams that are joined afterwards; any length,
// start and split must give the tables' CRC.
TEST(Crc32c, LongInputsAgreeWithTheTables) {
    std::vector<uint8_t> bytes(3 * 4096 * 3 + 101);
    uint32_t seed = 12345;
    for (uint8_t& b : bytes) b = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
    for (const size_t start : {size_t{0}, size_t{1}, size_t{7}}) {
        for (const size_t size : {size_t{3 * 4096 - 1}, size_t{3 * 4096}, size_t{3 * 4096 + 9}, bytes.size() - 7}) {
            const uint8_t* data = bytes.data() + start;
            const uint32_t expected = Crc32cExtendPortable(0, data, size);
            EXPECT_EQ(Crc32cExtend(0, data, size), expected) << start << " " << size;
            const size_t cut = size / 3 + 5;
            EXPECT_EQ(Crc32cExtend(Crc32cExtend(0, data, cut), data + cut, size - cut), expected) << start << " " << size;
        }
    }
}
