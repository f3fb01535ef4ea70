#pragma once
// The in-memory form of a category: its id (assigned by the platform), its name, and whether it
// was built from a category record.
#include <cstdint>

#include "core/str/Str.h"

struct CategoryEntry {
    uint32_t id = 0;
    Str name;
    bool exists = false;
};
