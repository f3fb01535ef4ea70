#pragma once
// Building the contact list: one request to the contact manager's searches with the search text
// or the pressed alphabet groups, the order and the category filter. The Recent choice of the
// filter lists the recently used contacts, most recent first and without company groups (their
// order is the point), limited to those the search finds and the store still holds.
#include <vector>

#include "core/str/Str.h"
#include "manager/search/ContactSearch.h"

class SearchState;
namespace catfilter {
class CategoryFilter;
}

struct ListQuery {
    ListOrder order = ListOrder::Name;
    Str text;                 // the typed search text (normal mode)
    std::vector<int> groups;  // the pressed alphabet groups, in order (alphabet mode)
};

ListQuery QueryOf(const SearchState& search, ListOrder order);

// What the filter lets through, as the searches take it.
CategoryRestriction RestrictionOf(const catfilter::CategoryFilter& filter);

ContactList BuildContactList(ContactSearch& search, const ListQuery& query,
                             const catfilter::CategoryFilter& filter);
