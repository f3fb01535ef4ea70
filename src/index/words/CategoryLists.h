#pragma once
// The contacts of each category, kept in the index image so that the list's category filter is
// answered without reading the store: a table of (category id, OID list) pairs ascending by id,
// and the OID list of the contacts that have an item number and no category. A contact without an
// item number can have no category (assignments are keyed by it) and is in no list. The lists
// are the word index's OID lists (count, then OIDs ascending).
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "index/store/IndexStore.h"
#include "index/words/OidList.h"
#include "index/words/SearchTypes.h"

// The categories of one contact as the index takes them.
struct ContactCategories {
    bool numbered = false;       // the contact has an item number
    std::vector<uint32_t> ids;   // its category ids (any order, repeats allowed)
};

class CategoryLists {
public:
    explicit CategoryLists(IndexStore& store) : store_(store) {}

    // Puts the contact into the lists of its categories, or into the uncategorised list.
    [[nodiscard]] bool Add(uint32_t oid, const ContactCategories& categories);
    // Takes the contact out of every list.
    [[nodiscard]] bool Remove(uint32_t oid);
    // Writes the lists of an index filled in bulk (empty before): each category's contacts and the
    // uncategorised ones, ascending.
    [[nodiscard]] bool Fill(const std::map<uint32_t, std::vector<uint32_t>>& byCategory,
                            std::span<const uint32_t> uncategorised);

    // The contacts having any of `ids`, ascending; with no ids, those with an item number and no
    // category.
    OidVector Members(std::span<const uint32_t> ids) const;
    // The categories whose lists hold the contact, ascending.
    std::vector<uint32_t> Of(uint32_t oid) const;

private:
    std::span<const PairList::Pair> Table() const;
    [[nodiscard]] bool SetTable(std::span<const PairList::Pair> pairs);

    IndexStore& store_;
};
