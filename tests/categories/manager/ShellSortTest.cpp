#include "categories/manager/ShellSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(ShellSort, GapsFollowBothFormulasAndStopBelowAThirdOfTheCount) {
    const std::pair<int64_t, std::vector<int64_t>> cases[] = {{15, {1}}, {16, {1, 5}}, {124, {1, 5, 19, 41}}};
    for (const auto& [count, gaps] : cases) EXPECT_EQ(shellsort::Gaps(count), gaps) << count;
}

TEST(ShellSort, SortsLikeAnyCorrectSort) {
    std::mt19937 random(7);
    for (int size : {0, 1, 2, 15, 16, 17, 59, 3000}) {
        std::vector<std::pair<int, int>> items;  // (key, original position)
        for (int i = 0; i < size; ++i) items.emplace_back(static_cast<int>(random() % 50), i);
        std::vector<std::pair<int, int>> sorted = items;
        ShellSort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), items.begin(), items.end())) << size;
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                                   [](const auto& a, const auto& b) { return a.first < b.first; }))
            << size;
    }
}
