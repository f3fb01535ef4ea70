#pragma once
// What the contact index needs of the contacts database: the sort texts of a record (for the
// comparators) and the database's state (last modification and record count), which tells
// whether the index files are behind the database.
#include <cstdint>

#include "index/order/SortKeys.h"

struct DatabaseState {
    uint64_t modified = 0;  // file time of the last change
    uint32_t records = 0;
};

class IndexDatabase : public SortKeySource {
public:
    // The current state; false when the database cannot tell.
    virtual bool ReadState(DatabaseState& out) = 0;
};
