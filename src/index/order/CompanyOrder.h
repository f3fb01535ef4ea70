#pragma once
// The company order, derived from the name order when the list is sorted by company: groups of
// contacts with equal company texts (by the device's collation), groups in collation order and
// each group's contacts by name, then OID. Contacts without a company form the first group.
#include <cstdint>
#include <span>
#include <vector>

#include "core/str/Str.h"
#include "index/order/SortKeys.h"

struct CompanyOrder {
    // For each group: the count of its contacts, then their OIDs.
    std::vector<uint32_t> flat;
    // The company text of each group, in the same order.
    std::vector<Str> companies;
};

// Contacts that cannot be read sort as having no name and no company.
CompanyOrder BuildCompanyOrder(std::span<const uint32_t> nameOrder, SortKeySource& source);
