#pragma once
// The positions of one order list that a search has marked, pass by pass (one pass a token, one
// for a filter). The stamp array is kept between searches and never cleared: each pass has a
// stamp of its own. The positions the first pass marked are remembered, so later passes and the
// final collection touch only them: a search that finds few contacts costs little however long
// the list is.
#include <cstddef>
#include <cstdint>
#include <vector>

class MarkSet {
public:
    // Starts a search over a list of `size` positions.
    void Begin(size_t size);
    // Starts the next pass: the first accepts every position, a later one only what the pass
    // before kept.
    void NextPass();
    // Marks position `at` in the current pass when it may be marked there.
    void Mark(uint32_t at);
    // Ends the pass: keeps only the positions it marked; their number.
    size_t EndPass();
    // The kept positions, ascending.
    std::vector<uint32_t> Ascending();

private:
    std::vector<uint32_t> stamps_;
    uint32_t stamp_ = 0;
    bool first_ = true;
    std::vector<uint32_t> kept_;
    std::vector<uint64_t> bits_;  // one bit a position, all clear between calls of Ascending
};
