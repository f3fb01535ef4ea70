#include "index/mapped/Crc32c.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Crc32c, KnownValuesAndPiecewiseExtension) {
    const std::string digits = "123456789";
    std::vector<uint8_t> zeros(32, 0), ones(32, 0xFF), ascending(32), descending(32);
    for (int i = 0; i < 32; ++i) {
        ascending[i] = static_cast<uint8_t>(i);
        descending[i] = static_cast<uint8_t>(31 - i);
    }
    const std::pair<std::vector<uint8_t>, uint32_t> cases[] = {
        {{digits.begin(), digits.end()}, 0xE3069283u},
        {zeros, 0x8A9136AAu},
        {ones, 0x62A8AB43u},
        {ascending, 0x46DD794Eu},
        {descending, 0x113FDB5Cu},
        {{}, 0u},
    };
    for (const auto& [bytes, crc] : cases) {
        EXPECT_EQ(Crc32c(bytes.data(), bytes.size()), crc);
        for (size_t cut = 0; cut <= bytes.size(); cut += 3) {
            EXPECT_EQ(Crc32cExtend(Crc32c(bytes.data(), cut), bytes.data() + cut, bytes.size() - cut), crc)
                << "split at " << cut;
        }
    }
}
