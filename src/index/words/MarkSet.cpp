#include "index/words/MarkSet.h"

#include <algorithm>
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

std::vector<uint32_t> MarkSet::Ascending() const {
    // Many hits are cheaper to pick up by one walk over the stamps than to sort.
    if (kept_.size() * 64 < stamps_.size()) {
        std::vector<uint32_t> sorted = kept_;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
    std::vector<uint32_t> ordered;
    ordered.reserve(kept_.size());
    for (uint32_t at = 0; at < stamps_.size(); ++at) {
        if (stamps_[at] == stamp_) ordered.push_back(at);
    }
    return ordered;
}
