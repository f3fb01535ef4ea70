#pragma once
// The contacts database as the word index reads it: the sort texts of a record and the
// database's state. Kept on a handle of its own, so reading keys never moves the cursor of the
// manager's handle.
#include "index/contact_index/IndexDatabase.h"
#include "store/db/CeDBDatabase.h"

class ContactsSource : public IndexDatabase {
public:
    bool Open();
    void Close() { db_.Close(); }
    bool ReadSortKeys(uint32_t oid, SortKeys& out) override;
    bool ReadState(DatabaseState& out) override;

private:
    CCeDBDatabase db_;
};
