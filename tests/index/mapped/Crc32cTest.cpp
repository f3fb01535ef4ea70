#include "index/mapped/Crc32c.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Crc32c, KnownValuesAndPiecewiseExtension) {
    const std::string digits = "123456789";
    const std::pair<std::vector<uint8_t>, uint32_t> cases[] = {
        {{digits.begin(), digits.end()}, 0xE3069283u},
        {std::vector<uint8_t>(32, 0), 0x8A9136AAu},
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
