#include "index/words/OidList.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "index/format/Words.h"
#include "index/store/IndexStore.h"
#include "index/words/WordsFormat.h"
#include "support/TempDevice.h"

// A list changed one item at a time, at random places, always holds what a vector changed the
// same way holds; it moves to a new block only now and then while it grows, never while it
// shrinks, and the bytes its block holds past its items are zero.
TEST(OidList, ChangesInPlaceAgreeWithAVectorAndMoveRarely) {
    TempDevice device;
    IndexStore store;
    ASSERT_TRUE(store.Create());
    std::mt19937 random(3);
    std::vector<uint32_t> model;
    uint32_t list = 0;
    int moves = 0;
    const auto check = [&] {
        const std::span<const uint32_t> held = OidList::View(store, list);
        ASSERT_EQ(std::vector<uint32_t>(held.begin(), held.end()), model);
        if (list == 0) return;
        const uint8_t* block = store.ToAddress(list);
        for (uint32_t at = WordsFormat::kItemsAt + 4 * uint32_t(model.size()); at < store.BlockBytes(list); at += 4) {
            ASSERT_EQ(LoadWord(block + at), 0u) << at;
        }
    };
    for (uint32_t step = 0; step < 2000; ++step) {
        const auto index = static_cast<uint32_t>(random() % (model.size() + 1));
        const std::optional<uint32_t> next = OidList::Replace(store, list, index, step + 1);
        ASSERT_TRUE(next.has_value());
        model.insert(model.begin() + index, step + 1);
        moves += *next != list;
        list = *next;
        check();
    }
    EXPECT_LT(moves, 60) << "a growing list keeps room for more";
    while (!model.empty()) {
        const auto index = static_cast<uint32_t>(random() % model.size());
        const std::optional<uint32_t> next = OidList::Replace(store, list, index, std::nullopt);
        ASSERT_TRUE(next.has_value());
        model.erase(model.begin() + index);
        if (!model.empty()) {
            ASSERT_EQ(*next, list) << "a removal changes the list where it lies";
        }
        list = *next;
        check();
    }
    EXPECT_EQ(list, 0u) << "an emptied list is freed";
    EXPECT_EQ(store.Heap().Walk().usedBlocks, 0u);
}
