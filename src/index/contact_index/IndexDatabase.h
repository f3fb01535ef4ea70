#pragma once
// What the contact index needs of the contacts database: the sort texts of a record (for the
// comparators), the database's state (last modification and record count), which tells whether
// the index files are behind the database, and what the volume's change journal says changed
// after the position the files hold, so that files a little behind are brought up to date from
// those contacts alone.
#include <cstdint>
#include <optional>
#include <vector>

#include "index/format/JournalPosition.h"
#include "index/order/SortKeys.h"

struct DatabaseState {
    uint64_t modified = 0;  // file time of the last change
    uint32_t records = 0;
};

// The contacts changed after a journal position, up to `upTo` (the journal's head when read).
struct ContactBacklog {
    JournalPosition upTo;
    std::vector<uint32_t> contacts;  // created, changed or deleted: each is read again (or is gone)
    // Record identifier values of contacts whose category assignments changed.
    std::vector<uint32_t> categoryItems;

    size_t Size() const { return contacts.size() + categoryItems.size(); }
};

class IndexDatabase : public SortKeySource {
public:
    // The current state; false when the database cannot tell.
    [[nodiscard]] virtual bool ReadState(DatabaseState& out) = 0;
    // The journal's last committed row; unknown when there is none to tell.
    virtual JournalPosition JournalHead() { return {}; }
    // The contacts changed after `from`; nothing when the journal cannot tell (rows were pruned,
    // `from` belongs to another volume or history, or a change cannot be traced to its contact).
    virtual std::optional<ContactBacklog> ChangesAfter(const JournalPosition&) { return std::nullopt; }
};
