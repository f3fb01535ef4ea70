#pragma once
// Sorting of many items by a 32-bit key in linear time: four stable passes of one byte each,
// least significant first, skipping a byte that all keys share. Opening an index sorts the
// contacts of its slot table and of both orders, a hundred thousand and more.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

template <typename T, typename KeyOf>
void RadixSort(std::vector<T>& items, KeyOf keyOf) {
    std::vector<T> sorted(items.size());
    for (uint32_t shift = 0; shift < 32; shift += 8) {
        std::array<size_t, 257> start{};
        for (const T& item : items) ++start[(keyOf(item) >> shift & 0xFF) + 1];
        bool shared = false;
        for (size_t b = 1; b <= 256 && !shared; ++b) shared = start[b] == items.size();
        if (shared) continue;
        for (size_t b = 1; b <= 256; ++b) start[b] += start[b - 1];
        for (const T& item : items) sorted[start[keyOf(item) >> shift & 0xFF]++] = item;
        items.swap(sorted);
    }
}

inline void RadixSort(std::vector<uint32_t>& values) {
    RadixSort(values, [](uint32_t v) { return v; });
}
