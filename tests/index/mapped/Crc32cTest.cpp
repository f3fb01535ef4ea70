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
