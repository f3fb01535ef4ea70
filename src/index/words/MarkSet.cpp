#include "index/words/MarkSet.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <limits>

void MarkSet::Begin(size_t size) {
    if (stamps_.size() != size) {
        stamps_.assign(size, 0);
        stamp_ = 0;
    }
    first_ = true;
    kept_.clear();
}

void MarkSet::NextPass() {
    if (stamp_ == std::numeric_limits<uint32_t>::max()) {
        // Out of stamps: number again, keeping only what the last pass marked.
        for (uint32_t& stamp : stamps_) stamp = stamp == stamp_ ? 1 : 0;
        stamp_ = 1;
    }
    ++stamp_;  // never used before: the first pass of a search sees no earlier marks
}

void MarkSet::Mark(uint32_t at) {
    if (at >= stamps_.size()) return;
    uint32_t& stamp = stamps_[at];
    if (first_) {
        if (stamp == stamp_) return;  // found through another word already
        stamp = stamp_;
        kept_.push_back(at);
    } else if (stamp == stamp_ - 1) {
        stamp = stamp_;
    }
}

size_t MarkSet::EndPass() {
    if (!first_) std::erase_if(kept_, [this](uint32_t at) { return stamps_[at] != stamp_; });
    first_ = false;
    return kept_.size();
}

std::vector<uint32_t> MarkSet::Ascending() {
    // Hits are put in order through a bitmap of the list, which costs one word per 64 positions
    // and little per hit; only a few hits in a long list are cheaper to sort.
    std::vector<uint32_t> ordered = kept_;
    if (kept_.size() * 2048 < stamps_.size()) {
        std::sort(ordered.begin(), ordered.end());
        return ordered;
    }
    bits_.resize((stamps_.size() + 63) / 64);
    for (const uint32_t at : kept_) bits_[at / 64] |= uint64_t{1} << (at % 64);
    ordered.clear();
    for (size_t word = 0; word < bits_.size(); ++word) {
        for (uint64_t set = std::exchange(bits_[word], 0); set != 0; set &= set - 1) {
            ordered.push_back(static_cast<uint32_t>(word * 64 + static_cast<size_t>(std::countr_zero(set))));
        }
    }
    return ordered;
}
