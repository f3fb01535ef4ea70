#include "platform/programs/CallPolicyBlock.h"

#include <gtest/gtest.h>

#include "support/CallPolicyBytes.h"

TEST(CallPolicyBlock, CodesOfEveryLengthAreRead) {
    for (const std::u16string_view code : {u"", u"#", u"*#0", u"*\u00e4\U0001F600#"}) {
        const auto block = CallPolicyBytes(code);
        EXPECT_EQ(block.size() % 4, 0u);
        EXPECT_EQ(plat::ReadCallPolicyBlock(block), std::u16string(code));
    }
    const std::vector<uint8_t> exact = {1, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        '*', 0, '#', 0, '0', 0, '6', 0, '#', 0, 0, 0};
    EXPECT_EQ(CallPolicyBytes(u"*#06#"), exact);
}

TEST(CallPolicyBlock, DamagedBlocksAreRefused) {
    const auto good = CallPolicyBytes(u"*#06#");
    const struct {
        const char* what;
        size_t at;
        uint8_t value;
    } changes[] = {
        {"first word", 0, 2}, {"second word", 4, 24}, {"reserved byte", 12, 1}, {"terminator", 30, '1'},
        {"fill", 31, 7},
    };
    for (const auto& change : changes) {
        auto block = good;
        block[change.at] = change.value;
        EXPECT_FALSE(plat::ReadCallPolicyBlock(block)) << change.what;
    }
    for (size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(plat::ReadCallPolicyBlock(std::span(good).first(size))) << size;
    }
    auto longer = good;
    longer.resize(good.size() + 4, 0);
    EXPECT_FALSE(plat::ReadCallPolicyBlock(longer));
}
