#pragma once
// The searches of the contact list, made through the contact manager's index: every contact, the
// typed search, the alphabet search and the caller lookup by trailing digits, each limited to the
// category filter's set and given in the stored name or File As order or in company groups.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/array/Array.h"
#include "index/order/CompanyOrder.h"
#include "index/words/SearchTypes.h"
#include "manager/index/ContactsSource.h"

class ContactManager;

enum class ListOrder : int { Name = 0, FileAs = 1, Company = 2 };

// The category filter as the list builder uses it: inactive shows everyone; active with no ids
// shows the contacts without a category; otherwise the contacts having one of the ids.
struct CategoryRestriction {
    bool active = false;
    std::vector<uint32_t> ids;
};

// A list ready to show: the contacts in order; in company order also the groups.
struct ContactList {
    OidVector oids;
    std::optional<CompanyOrder> companies;
};

class ContactSearch {
public:
    // A caller lookup needs at least this many digits.
    static constexpr size_t kMinLookupDigits = 6;

    explicit ContactSearch(ContactManager& manager) : manager_(manager) {}

    // Whether the listings, searches and lookups leave out the contacts from the SIM card (the
    // setting HideSim); off until set.
    void SetHideSim(bool hide) { hideSim_ = hide; }

    // The contacts the filter lets through (ascending; from the index, the store is not read);
    // nothing when the filter is inactive.
    std::optional<OidVector> FilterSet(const CategoryRestriction& filter);

    ContactList ListAll(ListOrder order, const CategoryRestriction& filter);
    // The typed search (trimmed text; empty lists everyone). A text of digits only also finds
    // the contacts with a number ending in them, appended after the word matches.
    ContactList Typed(std::u16string_view text, ListOrder order, const CategoryRestriction& filter);
    // The alphabet search: `groups` are the pressed group numbers (0-based), in order.
    ContactList Alphabet(const std::vector<int>& groups, ListOrder order, const CategoryRestriction& filter);
    // The contacts with a number ending in `digits` (digits only, at least kMinLookupDigits),
    // in name order; empty otherwise.
    OidVector Lookup(std::u16string_view digits);

private:
    // The contacts with a number ending in `digits`, the hidden ones included.
    OidVector NumberMatches(std::u16string_view digits);
    // The list in `order`, without the contacts from the SIM card when they are hidden (so they
    // are in no company group either).
    ContactList Ordered(OidVector nameOrFileAs, ListOrder order);
    // `found` without the contacts from the SIM card when they are hidden, its order kept.
    OidVector Shown(OidVector found) const;
    static IndexOrder Stored(ListOrder order) { return order == ListOrder::FileAs ? IndexOrder::FileAs : IndexOrder::Name; }

    ContactManager& manager_;
    ContactsSource source_;
    bool sourceOpen_ = false;
    bool hideSim_ = false;
};
