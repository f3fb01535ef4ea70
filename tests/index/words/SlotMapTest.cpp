#include "index/words/SlotMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "index/words/RadixSort.h"

// Keys that differ in one byte only, share every byte, or spread over all four: the sort skips
// shared bytes and must still order by the others, keeping equal keys in their order.
TEST(RadixSort, OrdersLikeAStableSortWhateverBytesTheKeysShare) {
    std::mt19937 random(7);
    const std::pair<const char*, uint32_t> masks[] = {
        {"all bytes", 0xFFFFFFFFu}, {"low byte", 0x000000FFu}, {"high byte", 0xFF000000u}, {"none", 0u}};
    for (const auto& [name, mask] : masks) {
        std::vector<std::pair<uint32_t, uint32_t>> items;
        for (uint32_t i = 0; i < 5000; ++i) items.push_back({(random() & mask) | 0x00100000u, i});
        std::vector<std::pair<uint32_t, uint32_t>> expected = items;
        std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.first < b.first; });
        RadixSort(items, [](const auto& item) { return item.first; });
        EXPECT_EQ(items, expected) << name;
    }
}

// The map follows a model through a slot table of random OIDs and random changes.
TEST(SlotMap, AgreesWithAModelThroughAssignSetAndErase) {
    std::mt19937 random(11);
    std::vector<PairList::Pair> table;
    std::map<uint32_t, uint32_t> model;
    for (uint32_t i = 0; i < 3000; ++i) {
        const uint32_t oid = random() % 100000 + 1;
        table.push_back({oid, i});
        model[oid] = i;  // a contact named twice: the later pair counts
    }
    SlotMap slots;
    slots.Assign(table);
    for (uint32_t step = 0; step < 3000; ++step) {
        const uint32_t oid = random() % 100000 + 1;
        if (random() % 2 == 0) {
            slots.Set(oid, step);
            model[oid] = step;
        } else {
            slots.Erase(oid);
            model.erase(oid);
        }
    }
    for (uint32_t oid = 0; oid <= 100001; ++oid) {
        const auto found = model.find(oid);
        ASSERT_EQ(slots.Find(oid), found == model.end() ? std::nullopt : std::optional(found->second)) << oid;
    }
    slots.Clear();
    EXPECT_FALSE(slots.Contains(table.front().oid));
}
