#pragma once
// Reads inside one read transaction, so that everything read belongs to one committed state of
// the volume, whatever other processes commit meanwhile. Inside the open transaction of a write
// batch the reads join it: they see the batch's own changes, and nothing another process commits
// until the batch does.
#include "platform/registry/Sql.h"

namespace plat::objstore {

template <typename Reading>
auto Snapshot(sqlite3* db, Reading reading) {
    if (sql::InTransaction(db)) return reading();
    sql::Run(db, "BEGIN");
    try {
        auto result = reading();
        sql::Run(db, "COMMIT");
        return result;
    } catch (...) {
        sql::Abort(db);
        throw;
    }
}

}  // namespace plat::objstore
