#pragma once
// The databases every new volume holds, as the handheld's own programs declare them.
#include <vector>

#include "platform/objectstore/DatabaseInfo.h"
#include "platform/objectstore/PropVal.h"

namespace plat::objstore {

// "Contacts Database": no order needed for scanning, one order on the company (property 0x8A),
// and the record identifier value (property 0x1000) numbered by the store.
// "PIMNamedPropValsIndexed": one order on its properties 1 and 2 (unsigned numbers).
std::vector<DatabaseDescription> PlatformDatabases();

}  // namespace plat::objstore
