#pragma once
// What a contact manager's store and index each hold, for the tests that check, after several tool
// processes wrote to one device, that every write arrived and the index agrees with the store.
#include <algorithm>

#include "manager/contacts/ContactManager.h"

struct StoredAndIndexed {
    OidVector stored;   // every contact of the store, in identifier order
    OidVector indexed;  // every contact the index lists, in identifier order
};

inline StoredAndIndexed ReadStoredAndIndexed(ContactManager& manager) {
    StoredAndIndexed held;
    CCeDBDatabase& records = manager.Databases().Contacts();
    for (bool more = records.SeekFirst(); more; more = records.SeekNext()) {
        held.stored.push_back(records.CurrentRecordId());
    }
    held.indexed = manager.Index().ListAll(IndexOrder::Name, nullptr);
    std::sort(held.stored.begin(), held.stored.end());
    std::sort(held.indexed.begin(), held.indexed.end());
    return held;
}
