#include "index/words/MarkSet.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace {

bool Has(const std::vector<uint64_t>& bits, uint32_t at) { return (bits[at / 64] >> (at % 64) & 1) != 0; }
void Clear(std::vector<uint64_t>& bits, uint32_t at) { bits[at / 64] &= ~(uint64_t{1} << (at % 64)); }

}  // namespace

void MarkSet::Begin(size_t size) {
    if (size_ != size) {
        size_ = size;
        kept_.assign((size + 63) / 64, 0);
        marked_.assign(kept_.size(), 0);
        keptList_.clear();
    }
    ClearKept();  // a search that ended early leaves its marks
    pass_ = 0;
}

size_t MarkSet::EndPass() {
    if (pass_ > 1) {
        std::erase_if(keptList_, [this](uint32_t at) {
            if (Has(marked_, at)) {
                Clear(marked_, at);
                return false;
            }
            Clear(kept_, at);
            return true;
        });
    }
    return keptList_.size();
}

void MarkSet::Ascending(std::vector<uint32_t>& out) {
    // A few hits in a long list are cheaper to sort; otherwise the bitmap, read word by word,
    // gives them in order at the cost of one word per 64 positions.
    if (keptList_.size() * 2048 < size_) {
        out = keptList_;
        std::sort(out.begin(), out.end());
        ClearKept();
        return;
    }
    out.clear();
    out.reserve(keptList_.size());
    for (size_t word = 0; word < kept_.size(); ++word) {
        for (uint64_t set = std::exchange(kept_[word], 0); set != 0; set &= set - 1) {
            out.push_back(static_cast<uint32_t>(word * 64 + static_cast<size_t>(std::countr_zero(set))));
        }
    }
    keptList_.clear();
}

void MarkSet::ClearKept() {
    for (const uint32_t at : keptList_) Clear(kept_, at);
    keptList_.clear();
}
