#pragma once
// The records of one database in the order of an open handle, loaded from the volume and loaded
// again whenever any process has committed a change since. Without a sort order the records are
// in the order of their object identifiers.
#include <optional>
#include <vector>

#include "platform/objectstore/KeyOrder.h"
#include "platform/objectstore/Volume.h"

namespace plat::objstore {

class OrderedView {
public:
    OrderedView(CeOid database, std::vector<SortProp> keys) : database_(database), order_(std::move(keys)) {}

    const KeyOrder& Order() const { return order_; }
    bool IsSorted() const { return !order_.Props().empty(); }

    // Brings the entries up to date; true when they were loaded again.
    bool Refresh(Volume& volume);
    const std::vector<ViewEntry>& Entries() const { return entries_; }

    // The entry of one record read from the volume now (its keys), nothing when the record is not
    // in the database.
    std::optional<ViewEntry> LoadEntry(Volume& volume, CeOid record) const;

    std::optional<size_t> IndexOf(CeOid record) const;
    // The first entry that does not sort before `probe`.
    size_t LowerBound(const ViewEntry& probe) const;
    // The first entry whose first keys compare equal to / greater than the values.
    std::optional<size_t> FirstEqual(const std::vector<KeyValue>& values) const;
    std::optional<size_t> FirstGreater(const std::vector<KeyValue>& values) const;

private:
    std::vector<ViewEntry> Load(Volume& volume, std::optional<CeOid> only) const;

    CeOid database_;
    KeyOrder order_;
    std::vector<ViewEntry> entries_;
    std::optional<Volume::Generation> loaded_;
};

}  // namespace plat::objstore
