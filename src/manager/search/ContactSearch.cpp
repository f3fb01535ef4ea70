#include "manager/search/ContactSearch.h"

#include <algorithm>

#include "index/alphabet/AbcGroupTable.h"
#include "index/words/Tokenizer.h"
#include "manager/contacts/ContactManager.h"

namespace {

bool AllDigits(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::u16string_view Trimmed(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<OidVector> ContactSearch::FilterSet(const CategoryRestriction& filter) {
    if (!filter.active) return std::nullopt;
    return manager_.Index().CategoryMembers(filter.ids);
}

ContactList ContactSearch::ListAll(ListOrder order, const CategoryRestriction& filter) {
    const std::optional<OidVector> set = FilterSet(filter);
    return Ordered(manager_.Index().ListAll(Stored(order), set ? &*set : nullptr), order);
}

ContactList ContactSearch::Typed(std::u16string_view text, ListOrder order, const CategoryRestriction& filter) {
    text = Trimmed(text);
    if (text.empty()) return ListAll(order, filter);
    const std::optional<OidVector> set = FilterSet(filter);
    const OidVector* limit = set ? &*set : nullptr;
    OidVector found = manager_.Index().Search(text, Stored(order), limit, SearchTree::Text);
    if (AllDigits(text)) {
        for (const uint32_t oid : NumberMatches(text)) {
            const bool allowed = limit == nullptr || std::find(limit->begin(), limit->end(), oid) != limit->end();
            if (allowed && std::find(found.begin(), found.end(), oid) == found.end()) found.push_back(oid);
        }
    }
    return Ordered(std::move(found), order);
}

ContactList ContactSearch::Alphabet(const std::vector<int>& groups, ListOrder order, const CategoryRestriction& filter) {
    std::u16string key;
    const AbcGroupTable& table = AbcGroupTable::Instance();
    for (const int group : groups) {
        const Str members = table.Group(group);
        if (members.GetLength() == 0) return {};
        key += members.View().front();
    }
    if (key.empty()) return ListAll(order, filter);
    const std::optional<OidVector> set = FilterSet(filter);
    return Ordered(manager_.Index().Search(key, Stored(order), set ? &*set : nullptr, SearchTree::Group),
                   order);
}

OidVector ContactSearch::Lookup(std::u16string_view digits) { return Shown(NumberMatches(digits)); }

OidVector ContactSearch::NumberMatches(std::u16string_view digits) {
    if (!AllDigits(digits) || digits.size() < kMinLookupDigits) return {};
    const std::vector<std::u16string> keys = PhoneKeys(digits);
    if (keys.empty()) return {};
    return manager_.Index().Search(keys.front(), IndexOrder::Name, nullptr, SearchTree::Text);
}

OidVector ContactSearch::Shown(OidVector found) const {
    if (!hideSim_) return found;
    const OidVector sim = manager_.Index().SimContacts();
    if (sim.empty()) return found;
    std::erase_if(found, [&sim](uint32_t oid) { return std::binary_search(sim.begin(), sim.end(), oid); });
    return found;
}

ContactList ContactSearch::Ordered(OidVector nameOrFileAs, ListOrder order) {
    nameOrFileAs = Shown(std::move(nameOrFileAs));
    ContactList list;
    if (order != ListOrder::Company) {
        list.oids = std::move(nameOrFileAs);
        return list;
    }
    if (!sourceOpen_) sourceOpen_ = source_.Open();
    list.companies = BuildCompanyOrder(nameOrFileAs, source_);
    const std::vector<uint32_t>& flat = list.companies->flat;
    for (size_t at = 0; at < flat.size(); at += flat[at] + 1) {
        list.oids.insert(list.oids.end(), flat.begin() + static_cast<long>(at) + 1,
                         flat.begin() + static_cast<long>(at + 1 + flat[at]));
    }
    return list;
}
