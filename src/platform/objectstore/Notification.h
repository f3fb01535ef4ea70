#pragma once
// Change notifications of the object store: every process that opened a database with a
// notification request gets every committed change of the volume, its own included, in commit
// order, on its user-interface thread.
#include <cstdint>
#include <functional>

#include "platform/objectstore/PropVal.h"

namespace plat {

inline constexpr uint32_t DB_CEOID_CREATED = 1025;         // a record was created
inline constexpr uint32_t DB_CEOID_RECORD_DELETED = 1027;  // a record was deleted
inline constexpr uint32_t DB_CEOID_CHANGED = 1030;         // a record was changed
// Changes were missed (the journal was pruned past this listener): reload everything.
inline constexpr uint32_t DB_CEOID_VOLUME = 1032;

struct Notification {
    uint32_t type = 0;
    CeGuid volume;
    CeOid oid = 0;     // the record (0 for DB_CEOID_VOLUME)
    CeOid parent = 0;  // the record's database (0 for DB_CEOID_VOLUME)
};

using NotifyCallback = std::function<void(const Notification&)>;

}  // namespace plat
