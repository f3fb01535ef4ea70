#pragma once
// The change journal of a volume: one row per committed change, written in the change's own
// transaction, numbered in commit order without gaps; and the table of listening processes with
// the last row each has seen. Rows every listener has seen are pruned once enough newer rows exist
// (open handles patch their order from the recent rows), and so are rows beyond a bound.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/objectstore/PropVal.h"

struct sqlite3;

namespace plat::objstore::journal {

struct Row {
    int64_t seq = 0;
    uint32_t type = 0;
    CeOid parent = 0;
    CeOid oid = 0;
};

// Inside the writer's transaction.
void Append(sqlite3* db, uint32_t type, CeOid parent, CeOid oid);
void Prune(sqlite3* db);

// The number of the last row ever written (0 for none).
int64_t Head(sqlite3* db);
std::vector<Row> ReadAfter(sqlite3* db, int64_t seen);

// True when every row after `seq` is there, counted (also when none was written since).
[[nodiscard]] bool HoldsAllAfter(sqlite3* db, int64_t seq);
// The records of one database with a row after `seq`, each once, in identifier order, and whether
// each was there at `seq` (its first row after it does not tell of its creation: identifiers are
// never used again, so a record created after `seq` did not exist before).
struct ChangedRecord {
    CeOid oid = 0;
    bool existed = false;
};
std::vector<ChangedRecord> RecordsChangedAfter(sqlite3* db, int64_t seq, CeOid database);

// Listener rows: `id` is unique to one process and volume. Advance returns false when the row is
// gone (the listener was taken for dead and forgotten).
void Register(sqlite3* db, const std::string& id, int64_t seen);
[[nodiscard]] bool Advance(sqlite3* db, const std::string& id, int64_t seen);
void Unregister(sqlite3* db, const std::string& id);

}  // namespace plat::objstore::journal
