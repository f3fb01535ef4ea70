// The coordination block at the byte level: slots, change flags and the removal of windows that
// no longer exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "ext/coord/CoordBlock.h"
#include "ext/coord/CoordBlockFormat.h"

namespace {

using Block = std::array<uint8_t, coordfmt::kBlockSize>;

std::vector<plat::HWND> Used(const CoordBlock& block) {
    std::vector<plat::HWND> used;
    for (size_t i = 0; i < coordfmt::kSlotCount && block.Slot(i) != 0; ++i) used.push_back(block.Slot(i));
    return used;
}

TEST(CoordBlock, SlotsAreLittleEndianWordsFromOffsetZero) {
    Block bytes{};
    CoordBlock block(bytes.data());
    block.SetSlot(0, 0x00010004);
    block.SetSlot(9, 0xA1B2C3D4);
    EXPECT_EQ((std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4)), (std::vector<uint8_t>{4, 0, 1, 0}));
    EXPECT_EQ((std::vector<uint8_t>(bytes.begin() + 36, bytes.begin() + 40)),
              (std::vector<uint8_t>{0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(block.FirstFreeSlot(), size_t{1});
    block.RemoveSlot(0);
    EXPECT_EQ(block.Slot(8), 0xA1B2C3D4u);
    EXPECT_EQ(block.Slot(9), 0u);
}

TEST(CoordBlock, EachChangeFlagCodeWritesItsOwnWord) {
    const struct {
        uint32_t code;
        size_t offset;
    } flags[] = {{0, 40}, {1, 44}, {2, 48}, {3, 52}, {8, 56}, {4, 60}, {5, 64}, {6, 68}, {7, 72}, {9, 100}};
    for (const auto& flag : flags) {
        Block bytes{};
        CoordBlock(bytes.data()).SetChangeFlag(flag.code, 0x01020304);
        Block expected{};
        std::copy_n(std::array<uint8_t, 4>{4, 3, 2, 1}.begin(), 4,
                    expected.begin() + static_cast<long>(flag.offset));
        EXPECT_EQ(bytes, expected) << "code " << flag.code;
    }
    for (const uint32_t code : {10u, 0xFFFFFFFFu}) {  // no such code: nothing written
        Block bytes{};
        CoordBlock(bytes.data()).SetChangeFlag(code, 1);
        EXPECT_EQ(bytes, Block{}) << code;
    }
}

TEST(CoordBlock, OnePassRemovesEveryDeadWindowAndKeepsTheOrder) {
    // Windows 1 to 9 stand for instances; the dead ones are listed per case.
    const struct {
        const char* what;
        std::vector<plat::HWND> slots;
        std::set<plat::HWND> dead;
        std::vector<plat::HWND> expected;
    } cases[] = {
        {"none dead", {1, 2, 3}, {}, {1, 2, 3}},
        {"two dead side by side at slots 0 and 1", {1, 2, 3}, {1, 2}, {3}},
        {"dead in the middle and at the end", {1, 2, 3, 4, 5}, {2, 3, 5}, {1, 4}},
        {"all dead", {1, 2, 3}, {1, 2, 3}, {}},
        {"a full table", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {9, 10}, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& c : cases) {
        Block bytes{};
        CoordBlock block(bytes.data());
        for (size_t i = 0; i < c.slots.size(); ++i) block.SetSlot(i, c.slots[i]);
        block.RemoveDeadWindows([&](plat::HWND w) { return c.dead.count(w) == 0; });
        EXPECT_EQ(Used(block), c.expected) << c.what;
        for (size_t i = c.expected.size(); i < coordfmt::kSlotCount; ++i)
            EXPECT_EQ(block.Slot(i), 0u) << c.what;
    }
}

TEST(CoordBlock, TheScanStopsAtTheFirstFreeSlot) {
    Block bytes{};
    CoordBlock block(bytes.data());
    block.SetSlot(0, 1);
    block.SetSlot(2, 3);  // beyond a gap: not a registered window
    std::vector<plat::HWND> asked;
    block.RemoveDeadWindows([&](plat::HWND w) {
        asked.push_back(w);
        return true;
    });
    EXPECT_EQ(asked, std::vector<plat::HWND>{1});
    EXPECT_EQ(block.Slaves(), std::vector<plat::HWND>{});
}

}  // namespace
