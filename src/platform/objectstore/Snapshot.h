#pragma once
// Reads inside one read transaction, so that everything read belongs to one committed state of
// the volume, whatever other processes commit meanwhile.
#include "platform/registry/Sql.h"

namespace plat::objstore {

template <typename Reading>
auto Snapshot(sqlite3* db, Reading reading) {
    sql::Exec(db, "BEGIN");
    try {
        auto result = reading();
        sql::Exec(db, "COMMIT");
        return result;
    } catch (...) {
        sql::Exec(db, "ROLLBACK");
        throw;
    }
}

}  // namespace plat::objstore
