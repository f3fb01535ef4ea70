#pragma once
// The positions of one order list that a search has marked, pass by pass (one pass a token, one
// for a filter). Marks are bits of a bitmap of the list (one word per 64 positions), so even a
// list of a million contacts keeps its marks in 125 KB, within the processor's near cache, and
// a position found through several words is taken once. The positions the first pass marked are
// remembered, so later passes, the clearing and the final collection touch only them: a search
// that finds few contacts costs little however long the list is.
#include <cstddef>
#include <cstdint>
#include <vector>

class MarkSet {
public:
    // Starts a search over a list of `size` positions.
    void Begin(size_t size);
    // Starts the next pass: the first accepts every position, a later one only what the pass
    // before kept.
    void NextPass() { ++pass_; }
    // Marks position `at` in the current pass when it may be marked there.
    void Mark(uint32_t at) {
        if (at >= size_) return;
        const uint64_t bit = uint64_t{1} << (at % 64);
        if (pass_ == 1) {
            uint64_t& word = kept_[at / 64];
            if ((word & bit) == 0) {
                word |= bit;
                keptList_.push_back(at);
            }
        } else if ((kept_[at / 64] & bit) != 0) {
            marked_[at / 64] |= bit;
        }
    }
    // Ends the pass: keeps only the positions it marked; their number.
    size_t EndPass();
    // Replaces `out` with the kept positions, ascending. Ends the search.
    void Ascending(std::vector<uint32_t>& out);

private:
    void ClearKept();

    size_t size_ = 0;
    uint32_t pass_ = 0;
    std::vector<uint64_t> kept_;       // positions kept so far; clear outside a search
    std::vector<uint64_t> marked_;     // positions a later pass marked; clear outside a pass
    std::vector<uint32_t> keptList_;   // the set bits of `kept_`, in the order first marked
};
