#include "index/words/CategoryLists.h"

#include <algorithm>

using IndexFormat::kCategoriesWord;
using IndexFormat::kUncategorisedWord;

namespace {

bool ById(const PairList::Pair& pair, uint32_t id) { return pair.oid < id; }

std::vector<uint32_t> Distinct(std::span<const uint32_t> ids) {
    std::vector<uint32_t> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

}  // namespace

std::span<const PairList::Pair> CategoryLists::Table() const {
    return PairList::View(store_, store_.HeaderWord(kCategoriesWord));
}

bool CategoryLists::SetTable(std::span<const PairList::Pair> pairs) {
    const std::optional<uint32_t> table = PairList::Rewrite(store_, store_.HeaderWord(kCategoriesWord), pairs);
    if (table) store_.SetHeaderWord(kCategoriesWord, *table);
    return table.has_value();
}

bool CategoryLists::Add(uint32_t oid, const ContactCategories& categories) {
    if (!categories.numbered) return true;
    const std::vector<uint32_t> ids = Distinct(categories.ids);
    bool added = false;
    if (ids.empty()) {
        const std::optional<uint32_t> list = OidList::Insert(store_, store_.HeaderWord(kUncategorisedWord), oid, added);
        if (list) store_.SetHeaderWord(kUncategorisedWord, *list);
        return list.has_value();
    }
    std::vector<PairList::Pair> pairs(Table().begin(), Table().end());
    for (const uint32_t id : ids) {
        auto at = std::lower_bound(pairs.begin(), pairs.end(), id, ById);
        if (at == pairs.end() || at->oid != id) at = pairs.insert(at, {id, 0});
        const std::optional<uint32_t> list = OidList::Insert(store_, at->value, oid, added);
        if (!list) return false;
        at->value = *list;
    }
    return SetTable(pairs);
}

bool CategoryLists::Remove(uint32_t oid) {
    bool removed = false;
    const std::optional<uint32_t> list = OidList::Remove(store_, store_.HeaderWord(kUncategorisedWord), oid, removed);
    if (!list) return false;
    store_.SetHeaderWord(kUncategorisedWord, *list);
    if (removed) return true;  // an uncategorised contact is in no category's list
    std::vector<PairList::Pair> pairs(Table().begin(), Table().end());
    bool changed = false;
    for (PairList::Pair& pair : pairs) {
        const std::optional<uint32_t> left = OidList::Remove(store_, pair.value, oid, removed);
        if (!left) return false;
        changed = changed || removed;
        pair.value = *left;
    }
    if (!changed) return true;
    std::erase_if(pairs, [](const PairList::Pair& pair) { return pair.value == 0; });
    return SetTable(pairs);
}

bool CategoryLists::Fill(const std::map<uint32_t, std::vector<uint32_t>>& byCategory,
                         std::span<const uint32_t> uncategorised) {
    std::vector<PairList::Pair> pairs;
    for (const auto& [id, oids] : byCategory) {
        const std::optional<uint32_t> list = OidList::Make(store_, oids);
        if (!list) return false;
        pairs.push_back({id, *list});
    }
    const std::optional<uint32_t> none = OidList::Make(store_, uncategorised);
    if (!none) return false;
    store_.SetHeaderWord(kUncategorisedWord, *none);
    return SetTable(pairs);
}

OidVector CategoryLists::Members(std::span<const uint32_t> ids) const {
    if (ids.empty()) {
        const std::span<const uint32_t> none = OidList::View(store_, store_.HeaderWord(kUncategorisedWord));
        return OidVector(none.begin(), none.end());
    }
    OidVector members;
    const std::span<const PairList::Pair> table = Table();
    for (const uint32_t id : Distinct(ids)) {
        const auto at = std::lower_bound(table.begin(), table.end(), id, ById);
        if (at == table.end() || at->oid != id) continue;
        const std::span<const uint32_t> list = OidList::View(store_, at->value);
        const size_t middle = members.size();
        members.insert(members.end(), list.begin(), list.end());
        std::inplace_merge(members.begin(), members.begin() + static_cast<std::ptrdiff_t>(middle), members.end());
    }
    members.erase(std::unique(members.begin(), members.end()), members.end());
    return members;
}

std::vector<uint32_t> CategoryLists::Of(uint32_t oid) const {
    std::vector<uint32_t> ids;
    for (const PairList::Pair& pair : Table()) {
        const std::span<const uint32_t> list = OidList::View(store_, pair.value);
        if (std::binary_search(list.begin(), list.end(), oid)) ids.push_back(pair.oid);
    }
    return ids;
}
