#pragma once
// The records of one database in the order of an open handle. Loaded whole once; after that each
// refresh patches in the records the change journal names as created, changed or deleted since,
// and loads everything again only when the journal no longer reaches back that far (rows were
// pruned), the database was deleted, or the changes are a large part of the view. Without a sort
// order the records are in the order of their object identifiers.
//
// The order is a list of identifiers beside a table of each record's keys by identifier, so a
// record whose old keys are gone from the volume is still found by a binary search, and a change
// moves 4 bytes an entry instead of whole entries.
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/objectstore/Journal.h"
#include "platform/objectstore/KeyOrder.h"
#include "platform/objectstore/Volume.h"

namespace plat::objstore {

class OrderedView {
public:
    OrderedView(CeOid database, std::vector<SortProp> keys)
        : database_(database), keyOrder_(std::move(keys)) {}

    const KeyOrder& Order() const { return keyOrder_; }
    [[nodiscard]] bool IsSorted() const { return !keyOrder_.Props().empty(); }

    // Brings the entries up to date with every committed change; true when any entry was added,
    // removed or moved (positions held by the caller are then stale).
    [[nodiscard]] bool Refresh(Volume& volume);
    size_t Size() const { return order_.size(); }
    ViewEntry EntryAt(size_t index) const { return ViewEntry{order_[index], KeysOf(order_[index])}; }

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
    using Keys = std::vector<KeyValue>;

    // The keys of a record in the view (none in identifier order).
    const Keys& KeysOf(CeOid record) const;
    size_t LowerBound(CeOid oid, const Keys& keys) const;
    // Where a record of the view is, by the keys it has in the view.
    std::optional<size_t> PositionOf(CeOid record) const;

    std::vector<ViewEntry> Load(sqlite3* db, std::optional<CeOid> only) const;
    // Inside one read transaction; the same meaning as Refresh's result.
    [[nodiscard]] bool CatchUp(sqlite3* db);
    void Reload(sqlite3* db);
    void Patch(sqlite3* db, const std::vector<journal::ChangedRecord>& changed);
    // Takes the records out of the view, those it holds.
    void TakeOut(const std::vector<journal::ChangedRecord>& records);
    void InsertAll(std::vector<ViewEntry> entries);

    CeOid database_;
    KeyOrder keyOrder_;
    std::vector<CeOid> order_;                   // the records in the view's order
    std::unordered_map<CeOid, Keys> keys_;       // each record's keys; empty in identifier order
    std::optional<Volume::Generation> checked_;  // the volume's generation at the last refresh
    std::optional<int64_t> journalSeq_;          // the last journal row the entries include
};

}  // namespace plat::objstore
