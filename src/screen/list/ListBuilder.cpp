#include "screen/list/ListBuilder.h"

#include <unordered_set>

#include "categories/filter/CategoryFilter.h"
#include "view/search/SearchState.h"

namespace {

ContactList Search(ContactSearch& search, const ListQuery& query, ListOrder order,
                   const CategoryRestriction& filter) {
    if (!query.groups.empty()) return search.Alphabet(query.groups, order, filter);
    return search.Typed(query.text.View(), order, filter);
}

}  // namespace

ListQuery QueryOf(const SearchState& search, ListOrder order) {
    ListQuery query{order, search.SearchText(), {}};
    for (const int group : search.PressedGroups()) query.groups.push_back(group);
    return query;
}

CategoryRestriction RestrictionOf(const catfilter::CategoryFilter& filter) {
    if (filter.State() == catfilter::kRecent || !filter.Active()) return {};
    return {true, filter.Ids()};
}

ContactList BuildContactList(ContactSearch& search, const ListQuery& query,
                             const catfilter::CategoryFilter& filter) {
    if (filter.State() != catfilter::kRecent) {
        return Search(search, query, query.order, RestrictionOf(filter));
    }
    const ContactList found = Search(search, query, ListOrder::Name, {});
    const std::unordered_set<uint32_t> present(found.oids.begin(), found.oids.end());
    ContactList recent;
    for (const uint32_t oid : filter.Recent().Oids()) {
        if (present.contains(oid)) recent.oids.push_back(oid);
    }
    return recent;
}
