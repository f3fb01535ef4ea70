#pragma once
// Sort texts of contacts kept in a table, for tests of the orders: a contact missing from the
// table cannot be read, as one deleted from the database.
#include <cstdint>
#include <map>

#include "index/order/SortKeys.h"

class SortKeyTable : public SortKeySource {
public:
    bool ReadSortKeys(uint32_t oid, SortKeys& out) override {
        ++reads;
        const auto it = keys.find(oid);
        if (it == keys.end()) return false;
        out = it->second;
        return true;
    }
    std::map<uint32_t, SortKeys> keys;
    size_t reads = 0;
};
