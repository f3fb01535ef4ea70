#pragma once
// Reading a whole database: from the first record, each record's wanted properties in turn.
#include <cstdint>
#include <functional>

#include "store/db/CeDBDatabase.h"

// Visits every record (only the properties `propIds`, all with count 0) in the database's order.
// Reaching the end is success; any other read failure stops the scan and returns false (the
// caller then empties what it gathered).
[[nodiscard]] bool ScanDatabase(CCeDBDatabase& db, const uint32_t* propIds, int count,
                                const std::function<void(const CCeDBRecord&)>& visit);
