#pragma once
// The contacts database as the word index reads it: the sort texts of a record, the database's
// state and the changes the volume's journal lists. Kept on handles of its own, so reading never
// moves the cursor of the manager's handle.
#include "index/contact_index/IndexDatabase.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/db/CeDBDatabase.h"

class ContactsSource : public IndexDatabase {
public:
    [[nodiscard]] bool Open();
    void Close() {
        db_.Close();
        assignments_.Close();
    }
    [[nodiscard]] bool ReadSortKeys(uint32_t oid, SortKeys& out) override;
    [[nodiscard]] bool ReadState(DatabaseState& out) override;
    JournalPosition JournalHead() override;
    // The contacts with a journal row after `from`, and the contacts named by the category
    // assignments with one. A removed assignment no longer tells whose it was: the journal then
    // cannot tell, as when its rows were pruned.
    std::optional<ContactBacklog> ChangesAfter(const JournalPosition& from) override;

private:
    [[nodiscard]] bool ReadJournal(int64_t after, plat::JournalChanges& changes);
    // The contact (record identifier value) an assignment names; nothing when it is gone or
    // unreadable, 0 when it names no contact.
    std::optional<uint32_t> AssignedContact(plat::CeOid assignment);

    CCeDBDatabase db_;
    CCeDBDatabase assignments_;  // opened by the first look at the journal
};
