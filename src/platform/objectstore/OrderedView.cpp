#include "platform/objectstore/OrderedView.h"

#include <algorithm>
#include <string>

#include "platform/objectstore/Catalog.h"
#include "platform/objectstore/Journal.h"
#include "platform/objectstore/Snapshot.h"
#include "platform/objectstore/Utf16Bytes.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

namespace {

// Changes up to this many records (or an eighth of the view, when more) are patched in; more are
// cheaper to load whole.
constexpr size_t kPatchAtMost = 16;

// SELECT r.oid, k0.type, k0.value, typeof(k0.value), k1.type, ... with one join per key property.
std::string SelectSql(const KeyOrder& order, bool oneRecord) {
    std::string columns = "SELECT r.oid";
    std::string joins;
    for (size_t i = 0; i < order.Props().size(); ++i) {
        std::string k(1, 'k');
        k.append(std::to_string(i));
        for (const std::string& part : {std::string(", "), k, std::string(".type, "), k, std::string(".value, typeof("), k,
                                        std::string(".value)")}) {
            columns.append(part);
        }
        for (const std::string& part : {std::string(" LEFT JOIN props "), k, std::string(" ON "), k,
                                        std::string(".owner = r.oid AND "), k, std::string(".num = "),
                                        std::to_string(PropNumber(order.Props()[i].propId))}) {
            joins.append(part);
        }
    }
    std::string text = columns;
    text.append(" FROM records r").append(joins).append(" WHERE r.db = ?1");
    if (oneRecord) text.append(" AND r.oid = ?2");
    return text.append(" ORDER BY r.oid");
}

KeyValue KeyFromRow(const KeyOrder& order, const sql::Statement& row, size_t index) {
    const int column = static_cast<int>(1 + 3 * index);
    const auto type = static_cast<uint16_t>(row.Int(column));
    const std::string storage = row.Text(column + 2);
    if (storage == "blob") return order.FromStored(index, type, 0, Utf16Text(row.Blob(column + 1)));
    if (storage == "integer") return order.FromStored(index, type, row.Int(column + 1), {});
    return KeyValue{};
}

}  // namespace

std::vector<ViewEntry> OrderedView::Load(sqlite3* db, std::optional<CeOid> only) const {
    sql::Statement rows(db, SelectSql(order_, only.has_value()));
    rows.Bind(1, database_);
    if (only) rows.Bind(2, *only);
    std::vector<ViewEntry> entries;
    while (rows.Step()) {
        ViewEntry entry;
        entry.oid = static_cast<CeOid>(rows.Int(0));
        for (size_t i = 0; i < order_.Props().size(); ++i) entry.keys.push_back(KeyFromRow(order_, rows, i));
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool OrderedView::Refresh(Volume& volume) {
    const Volume::Generation now = volume.CurrentGeneration();
    if (checked_ == now) return false;
    // An undone batch may have taken back journal rows the entries include; their numbers come
    // again, so only a full load is sure to be right.
    if (checked_ && checked_->undone != now.undone) journalSeq_.reset();
    // A commit between reading the generation and the snapshot is caught up now and found to
    // add nothing at the next refresh.
    const bool moved = Snapshot(volume.Db(), [&] { return CatchUp(volume.Db()); });
    checked_ = now;
    return moved;
}

bool OrderedView::CatchUp(sqlite3* db) {
    const int64_t head = journal::Head(db);
    if (!journalSeq_ || !journal::HoldsAllAfter(db, *journalSeq_) || !DatabaseExists(db, database_)) {
        Reload(db);
    } else {
        const std::vector<journal::ChangedRecord> changed = journal::RecordsChangedAfter(db, *journalSeq_, database_);
        if (changed.empty()) {
            journalSeq_ = head;
            return false;
        }
        if (changed.size() > std::max(kPatchAtMost, entries_.size() / 8)) {
            Reload(db);
        } else {
            Patch(db, changed);
        }
    }
    journalSeq_ = head;
    return true;
}

void OrderedView::Reload(sqlite3* db) {
    entries_ = Load(db, std::nullopt);
    if (IsSorted()) std::sort(entries_.begin(), entries_.end(), [this](const ViewEntry& a, const ViewEntry& b) {
        return order_.Less(a, b);
    });
}

// Records created since the entries were loaded are only inserted; those that were there are taken
// out first and inserted again as they are now (unless deleted).
void OrderedView::Patch(sqlite3* db, const std::vector<journal::ChangedRecord>& changed) {
    std::vector<CeOid> existed;
    for (const journal::ChangedRecord& record : changed) {
        if (record.existed) existed.push_back(record.oid);
    }
    TakeOut(existed);
    for (const journal::ChangedRecord& changedRecord : changed) {
        std::vector<ViewEntry> loaded = Load(db, changedRecord.oid);
        if (loaded.empty()) continue;  // deleted
        const size_t at = LowerBound(loaded.front());
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(loaded.front()));
    }
}

// In identifier order each record is found by a binary search; in a sorted order by a walk of the
// entries, since its old keys are not known.
void OrderedView::TakeOut(const std::vector<CeOid>& records) {
    if (records.empty()) return;
    if (IsSorted()) {
        std::erase_if(entries_, [&records](const ViewEntry& entry) {
            return std::binary_search(records.begin(), records.end(), entry.oid);
        });
        return;
    }
    for (const CeOid record : records) {
        const size_t at = LowerBound(ViewEntry{record, {}});
        if (at < entries_.size() && entries_[at].oid == record) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

std::optional<ViewEntry> OrderedView::LoadEntry(Volume& volume, CeOid record) const {
    std::vector<ViewEntry> entries = Load(volume.Db(), record);
    if (entries.empty()) return std::nullopt;
    return std::move(entries.front());
}

std::optional<size_t> OrderedView::IndexOf(const ViewEntry& known) const {
    const size_t index = LowerBound(known);
    if (index < entries_.size() && entries_[index].oid == known.oid) return index;
    if (!IsSorted()) return std::nullopt;  // identifier order: the search above is exact
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&known](const ViewEntry& e) { return e.oid == known.oid; });
    if (found == entries_.end()) return std::nullopt;
    return static_cast<size_t>(found - entries_.begin());
}

size_t OrderedView::LowerBound(const ViewEntry& probe) const {
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), probe,
                                        [this](const ViewEntry& a, const ViewEntry& b) { return order_.Less(a, b); });
    return static_cast<size_t>(found - entries_.begin());
}

std::optional<size_t> OrderedView::FirstEqual(const std::vector<KeyValue>& values) const {
    const size_t count = values.size();
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), values,
                                        [this, count](const ViewEntry& e, const std::vector<KeyValue>& v) {
                                            return order_.ComparePrefix(e.keys, v, count) < 0;
                                        });
    if (found == entries_.end() || order_.ComparePrefix(found->keys, values, count) != 0) return std::nullopt;
    return static_cast<size_t>(found - entries_.begin());
}

std::optional<size_t> OrderedView::FirstGreater(const std::vector<KeyValue>& values) const {
    const size_t count = values.size();
    const auto found = std::upper_bound(entries_.begin(), entries_.end(), values,
                                        [this, count](const std::vector<KeyValue>& v, const ViewEntry& e) {
                                            return order_.ComparePrefix(v, e.keys, count) < 0;
                                        });
    if (found == entries_.end()) return std::nullopt;
    return static_cast<size_t>(found - entries_.begin());
}

}  // namespace plat::objstore
