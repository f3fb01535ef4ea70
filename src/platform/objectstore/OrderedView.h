#pragma once
// The records of one database in the order of an open handle. Loaded whole once; after that each
// refresh patches in the records the change journal names as created, changed or deleted since,
// and loads everything again only when the journal no longer reaches back that far (rows were
// pruned), the database was deleted, or the changes are a large part of the view. Without a sort
// order the records are in the order of their object identifiers.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/objectstore/Journal.h"
#include "platform/objectstore/KeyOrder.h"
#include "platform/objectstore/Volume.h"

namespace plat::objstore {

class OrderedView {
public:
    OrderedView(CeOid database, std::vector<SortProp> keys) : database_(database), order_(std::move(keys)) {}

    const KeyOrder& Order() const { return order_; }
    bool IsSorted() const { return !order_.Props().empty(); }

    // Brings the entries up to date with every committed change; true when any entry was added,
    // removed or moved (positions held by the caller are then stale).
    bool Refresh(Volume& volume);
    const std::vector<ViewEntry>& Entries() const { return entries_; }

    // The entry of one record read from the volume now (its keys), nothing when the record is not
    // in the database.
    std::optional<ViewEntry> LoadEntry(Volume& volume, CeOid record) const;

    // Where the record of `known` is: found by its keys when they are still its keys, else by a
    // scan for its identifier.
    std::optional<size_t> IndexOf(const ViewEntry& known) const;
    // The first entry that does not sort before `probe`.
    size_t LowerBound(const ViewEntry& probe) const;
    // The first entry whose first keys compare equal to / greater than the values.
    std::optional<size_t> FirstEqual(const std::vector<KeyValue>& values) const;
    std::optional<size_t> FirstGreater(const std::vector<KeyValue>& values) const;

private:
    std::vector<ViewEntry> Load(sqlite3* db, std::optional<CeOid> only) const;
    // Inside one read transaction; the same meaning as Refresh's result.
    bool CatchUp(sqlite3* db);
    void Reload(sqlite3* db);
    void Patch(sqlite3* db, const std::vector<journal::ChangedRecord>& changed);
    // Takes the records (ascending identifiers) out of the entries.
    void TakeOut(const std::vector<CeOid>& records);

    CeOid database_;
    KeyOrder order_;
    std::vector<ViewEntry> entries_;
    std::optional<Volume::Generation> checked_;  // the volume's generation at the last refresh
    std::optional<int64_t> journalSeq_;          // the last journal row the entries include
};

}  // namespace plat::objstore
