#pragma once
// The databases the contact store keeps open: "Contacts Database" (with its notification request
// and its database-level flag) and the named-property table beside it, opened and closed together.
#include "core/array/Array.h"
#include "core/str/Str.h"
#include "store/db/CeDBDatabase.h"

class CContactsDb {
public:
    // Opens both; a failure leaves both closed.
    [[nodiscard]] bool Open(plat::NotifyCallback notify);
    void Close();

    CCeDBDatabase& Contacts() { return contacts_; }
    CCeDBDatabase& Named() { return named_; }

    // The distinct non-empty company names, in the store's name order: read through a second open
    // of the contacts ordered by company, or, when that open fails, by scanning the open contacts
    // and sorting. False (and `names` empty) when reading fails.
    [[nodiscard]] bool GetCompanyNames(Array<Str>& names);

private:
    CCeDBDatabase contacts_;
    CCeDBDatabase named_;
};
