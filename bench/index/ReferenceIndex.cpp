#include "ReferenceIndex.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

#include "BenchQueries.h"

ReferenceIndex::ReferenceIndex(std::span<const uint32_t> order, std::span<const WordRow> rows,
                               SearchTree tree)
    : tree_(tree), order_(order.begin(), order.end()) {
    std::unordered_map<uint32_t, uint32_t> positionOf;
    for (uint32_t i = 0; i < order_.size(); ++i) positionOf[order_[i]] = i;
    for (const WordRow& row : rows) {
        const auto at = positionOf.find(row.oid);
        if (at == positionOf.end()) continue;
        for (const std::u16string& word : tree == SearchTree::Text ? row.text : row.groups) {
            postings_.push_back({word, at->second});
        }
    }
    std::sort(postings_.begin(), postings_.end());
    postings_.erase(std::unique(postings_.begin(), postings_.end(),
                                [](const Posting& a, const Posting& b) { return !(a < b) && !(b < a); }),
                    postings_.end());
}

// Sets the bit of every position having a word that begins with `token`.
void ReferenceIndex::Mark(std::u16string_view token, std::vector<uint64_t>& bits) const {
    auto at = std::lower_bound(postings_.begin(), postings_.end(), token,
                               [](const Posting& p, std::u16string_view t) { return p.word < t; });
    for (; at != postings_.end() && at->word.starts_with(token); ++at) {
        bits[at->position / 64] |= uint64_t{1} << (at->position % 64);
    }
}

OidVector ReferenceIndex::Search(std::u16string_view query) const {
    const std::vector<std::u16string> tokens = LookupTokens(query, tree_);
    if (tokens.empty()) return {};
    const size_t words = (order_.size() + 63) / 64;
    std::vector<uint64_t> result(words, 0);
    Mark(tokens.front(), result);
    std::vector<uint64_t> next(words);
    for (size_t t = 1; t < tokens.size(); ++t) {
        std::fill(next.begin(), next.end(), 0);
        Mark(tokens[t], next);
        for (size_t i = 0; i < words; ++i) result[i] &= next[i];
    }
    OidVector out;
    for (size_t i = 0; i < words; ++i) {
        for (uint64_t bits = result[i]; bits != 0; bits &= bits - 1) {
            out.push_back(order_[i * 64 + static_cast<size_t>(std::countr_zero(bits))]);
        }
    }
    return out;
}
