#include "index/order/CompanyOrder.h"

#include <algorithm>

#include "platform/locale/Locale.h"

namespace {

struct Row {
    uint32_t oid;
    Str company;
    Str name;
};

bool Before(const Row& a, const Row& b) {
    if (const int c = plat::CompareText(a.company.View(), b.company.View())) return c < 0;
    if (const int c = plat::CompareText(a.name.View(), b.name.View())) return c < 0;
    return a.oid < b.oid;
}

}  // namespace

CompanyOrder BuildCompanyOrder(std::span<const uint32_t> nameOrder, SortKeySource& source) {
    std::vector<Row> rows;
    rows.reserve(nameOrder.size());
    for (uint32_t oid : nameOrder) {
        SortKeys keys;
        if (!source.ReadSortKeys(oid, keys)) keys = SortKeys{};
        rows.push_back({oid, keys.company, PersonKeyText(keys)});
    }
    std::sort(rows.begin(), rows.end(), Before);
    CompanyOrder order;
    for (size_t i = 0; i < rows.size();) {
        size_t end = i + 1;
        while (end < rows.size() &&
               plat::CompareText(rows[i].company.View(), rows[end].company.View()) == 0) {
            ++end;
        }
        order.companies.push_back(rows[i].company);
        order.flat.push_back(static_cast<uint32_t>(end - i));
        for (; i < end; ++i) order.flat.push_back(rows[i].oid);
    }
    return order;
}
