#pragma once
// What a property database is: the description given to create one, and the information the
// store reports about one.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/objectstore/SortOrder.h"

namespace plat {

inline constexpr size_t kMaxDatabaseNameLength = 32;  // UTF-16 units, without NUL

struct DatabaseDescription {
    std::u16string name;  // 1 to 32 units, no NUL; names compare ignoring case
    uint32_t type = 0;
    uint32_t flags = 0;
    // The orders a handle may be opened with (a handle may also be opened without any).
    std::vector<SortOrderDescription> sortOrders;
    // Properties (type CEVT_AUTO_I4) the store numbers 1, 2, 3, ... on each new record.
    std::vector<uint32_t> autoIncrement;
};

// The part of DatabaseInfo that tells whether a database changed: cheap to have at any size.
struct DatabaseStatus {
    uint32_t recordCount = 0;
    uint64_t lastModified = 0;
};

struct DatabaseInfo {
    std::u16string name;
    uint32_t type = 0;
    uint32_t flags = 0;
    uint32_t recordCount = 0;
    uint64_t size = 0;          // bytes of property values
    uint64_t lastModified = 0;  // file time of the last change; grows with every change
    std::vector<SortOrderDescription> sortOrders;
};

}  // namespace plat
