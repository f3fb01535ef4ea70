#pragma once
// The shell sort shared by the small lists of the system (categories, category names, company
// names). Gaps 1, 5, 19, 41, 109, 209, 505, 929, ...: alternately 9*4^k - 9*2^k + 1 and
// 4^(k+1) - 3*2^(k+1) + 1. The sort starts from the largest gap g with 3g below the number of
// elements (from gap 1 when no gap is that small) and ends with gap 1, an insertion sort. It is
// not stable: elements that compare equal may change places.
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace shellsort {

// The gaps in rising order, as far as a sort of `count` elements uses them.
inline std::vector<int64_t> Gaps(int64_t count) {
    std::vector<int64_t> gaps;
    for (int k = 0;; ++k) {
        const int64_t p2 = int64_t{1} << k;
        const int64_t even = 9 * p2 * p2 - 9 * p2 + 1;  // 1, 19, 109, 505, ...
        const int64_t odd = 4 * p2 * p2 - 6 * p2 + 1;   // (k >= 1) 5, 41, 209, 929, ...
        for (int64_t gap : {odd, even}) {
            if (gap < 1) continue;
            if (!gaps.empty() && 3 * gap >= count) return gaps;
            gaps.push_back(gap);
        }
    }
}

}  // namespace shellsort

// Sorts [first, last) so that `less(b, a)` holds for no a before b.
template <typename It, typename Less>
void ShellSort(It first, It last, Less less) {
    const auto count = static_cast<int64_t>(std::distance(first, last));
    const std::vector<int64_t> gaps = shellsort::Gaps(count);
    for (auto g = gaps.rbegin(); g != gaps.rend(); ++g) {
        const int64_t gap = *g;
        for (int64_t i = gap; i < count; ++i) {
            auto value = std::move(first[i]);
            int64_t j = i;
            for (; j >= gap && less(value, first[j - gap]); j -= gap) {
                first[j] = std::move(first[j - gap]);
            }
            first[j] = std::move(value);
        }
    }
}
