#pragma once
// Records and their properties on a volume connection. The properties of a database itself are
// kept the same way, owned by the database's identifier. Functions that write run inside the
// caller's transaction; every function throws StoreFailure or sql::Failure.
#include <optional>
#include <span>
#include <vector>

#include "platform/objectstore/PropVal.h"

struct sqlite3;

namespace plat::objstore {

[[nodiscard]] bool RecordInDatabase(sqlite3* db, CeOid record, CeOid database);
void InsertRecord(sqlite3* db, CeOid record, CeOid database);
void RemoveRecord(sqlite3* db, CeOid record);

// ERROR_INVALID_PARAMETER for a value of an unknown type.
void ValidateProps(std::span<const PropVal> props);

// Every stored property of the owner, by property number.
std::vector<PropVal> LoadAllProps(sqlite3* db, CeOid owner);

// The asked properties in the asked order; one the owner lacks (or holds with another type) comes
// back with CEDB_PROPNOTFOUND and an empty value. A stream is asked for and found as a block.
std::vector<PropVal> LoadAskedProps(sqlite3* db, CeOid owner, std::span<const uint32_t> propIds);

// A record of `database` read in one statement, so from one committed state without a transaction
// of its own: all its properties by number (`propIds` empty) or the asked ones as LoadAskedProps
// gives them. Nothing when the record is not in the database.
std::optional<std::vector<PropVal>> LoadRecord(sqlite3* db, CeOid record, CeOid database,
                                               std::span<const uint32_t> propIds);

// Writes values and removes the properties flagged CEDB_PROPDELETE, in the given order (a later
// value of a number wins). Values marked CEDB_PROPNOTFOUND are skipped, as are values for the
// numbers in `fixed` (properties the store numbers itself).
void StoreProps(sqlite3* db, CeOid owner, std::span<const PropVal> props, std::span<const uint16_t> fixed);

}  // namespace plat::objstore
