#pragma once
// The in-memory reference the word index is measured against: every (word, OID) pair of a tree in
// one sorted vector, and a bitmap by display position per token. A prefix is a range of the
// vector; the bits of the last token's map, read in position order, are the result in display
// order.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BenchContacts.h"
#include "index/words/SearchTypes.h"

class ReferenceIndex {
public:
    // `order`: the OIDs in display order; `rows`: the words of each contact, of which those of
    // `tree` are taken.
    ReferenceIndex(std::span<const uint32_t> order, std::span<const WordRow> rows, SearchTree tree);

    // Contacts having, for every blank-separated token of `query`, a word that begins with it.
    OidVector Search(std::u16string_view query) const;

private:
    struct Posting {
        std::u16string word;
        uint32_t position;  // in display order
        bool operator<(const Posting& other) const {
            return word != other.word ? word < other.word : position < other.position;
        }
    };
    void Mark(std::u16string_view token, std::vector<uint64_t>& bits) const;

    SearchTree tree_;
    std::vector<uint32_t> order_;
    std::vector<Posting> postings_;
};
