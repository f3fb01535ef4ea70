#pragma once
// The databases of a volume: their rows, declared sort orders, auto-increment counters and
// modification times. Every function runs on the caller's connection (inside its transaction when
// it writes) and throws StoreFailure or sql::Failure.
#include <string_view>
#include <vector>

#include "platform/objectstore/DatabaseInfo.h"
#include "platform/objectstore/PropVal.h"

struct sqlite3;

namespace plat::objstore {

// Checks a description: ERROR_INVALID_PARAMETER with the reason when it cannot be created.
void ValidateDeclaration(const DatabaseDescription& declared);

// Adds the database `oid`; ERROR_ALREADY_EXISTS when the name is taken.
void InsertDatabase(sqlite3* db, CeOid oid, const DatabaseDescription& declared);

// The database of that name (ignoring case), 0 when there is none.
CeOid FindDatabase(sqlite3* db, std::u16string_view name);
[[nodiscard]] bool DatabaseExists(sqlite3* db, CeOid database);

// ERROR_NOT_FOUND when there is no such database. The record count is left to the caller (the
// volume keeps the counts).
DatabaseInfo LoadDatabaseInfo(sqlite3* db, CeOid database);
uint64_t LoadModified(sqlite3* db, CeOid database);
uint32_t CountRecords(sqlite3* db, CeOid database);
std::vector<SortOrderDescription> LoadSortOrders(sqlite3* db, CeOid database);

// Removes the database with its records and properties.
void RemoveDatabase(sqlite3* db, CeOid database);

// Sets the modification time to now, or one tick past the previous one when the clock has not
// moved on, so every change gives a later time. False when there is no such database.
[[nodiscard]] bool TouchDatabase(sqlite3* db, CeOid database);

// The auto-increment properties of the database and, for one of them, the next value (taken).
std::vector<uint16_t> AutoIncrementNumbers(sqlite3* db, CeOid database);
uint32_t TakeCounter(sqlite3* db, CeOid database, uint16_t number);

}  // namespace plat::objstore
