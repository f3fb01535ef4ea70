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

const OrderedView::Keys& OrderedView::KeysOf(CeOid record) const {
    static const Keys kNone;
    if (!IsSorted()) return kNone;
    return keys_.at(record);
}

std::vector<ViewEntry> OrderedView::Load(sqlite3* db, std::optional<CeOid> only) const {
    sql::Statement rows(db, SelectSql(keyOrder_, only.has_value()));
    rows.Bind(1, database_);
    if (only) rows.Bind(2, *only);
    std::vector<ViewEntry> entries;
    while (rows.Step()) {
        ViewEntry entry;
        entry.oid = static_cast<CeOid>(rows.Int(0));
        for (size_t i = 0; i < keyOrder_.Props().size(); ++i)
            entry.keys.push_back(KeyFromRow(keyOrder_, rows, i));
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
        if (changed.size() > std::max(kPatchAtMost, order_.size() / 8)) {
            Reload(db);
        } else {
            Patch(db, changed);
        }
    }
    journalSeq_ = head;
    return true;
}

void OrderedView::Reload(sqlite3* db) {
    std::vector<ViewEntry> entries = Load(db, std::nullopt);
    if (IsSorted())
        std::sort(entries.begin(), entries.end(),
                  [this](const ViewEntry& a, const ViewEntry& b) { return keyOrder_.Less(a, b); });
    order_.clear();
    keys_.clear();
    order_.reserve(entries.size());
    if (IsSorted()) keys_.reserve(entries.size());
    for (ViewEntry& entry : entries) {
        order_.push_back(entry.oid);
        if (IsSorted()) keys_.emplace(entry.oid, std::move(entry.keys));
    }
}

// Every record named is taken out by the keys the view holds for it, then inserted again as it is
// now (unless deleted).
void OrderedView::Patch(sqlite3* db, const std::vector<journal::ChangedRecord>& changed) {
    TakeOut(changed);
    std::vector<ViewEntry> entries;
    for (const journal::ChangedRecord& changedRecord : changed) {
        std::vector<ViewEntry> loaded = Load(db, changedRecord.oid);
        if (!loaded.empty()) entries.push_back(std::move(loaded.front()));
    }
    InsertAll(std::move(entries));
}

// The positions are found first and the list closed up in one pass.
void OrderedView::TakeOut(const std::vector<journal::ChangedRecord>& records) {
    std::vector<size_t> positions;
    for (const journal::ChangedRecord& record : records) {
        if (!record.existed) continue;  // made after the view's state: never in it
        if (const std::optional<size_t> at = PositionOf(record.oid)) positions.push_back(*at);
    }
    if (positions.empty()) return;
    std::sort(positions.begin(), positions.end());
    auto to = order_.begin() + static_cast<std::ptrdiff_t>(positions.front());
    for (size_t i = 0; i < positions.size(); ++i) {
        keys_.erase(order_[positions[i]]);
        const auto from = order_.begin() + static_cast<std::ptrdiff_t>(positions[i] + 1);
        const auto until = i + 1 < positions.size()
                               ? order_.begin() + static_cast<std::ptrdiff_t>(positions[i + 1])
                               : order_.end();
        to = std::move(from, until, to);
    }
    order_.erase(to, order_.end());
}

// Each entry goes where a binary search of the list as it was puts it; the list then opens up from
// its end, block by block, so that an entry already there moves once however many are inserted.
void OrderedView::InsertAll(std::vector<ViewEntry> entries) {
    std::sort(entries.begin(), entries.end(),
              [this](const ViewEntry& a, const ViewEntry& b) { return keyOrder_.Less(a, b); });
    std::vector<size_t> places;
    places.reserve(entries.size());
    for (const ViewEntry& entry : entries) places.push_back(LowerBound(entry.oid, entry.keys));
    size_t kept = order_.size();
    order_.resize(kept + entries.size());
    for (size_t j = entries.size(); j-- > 0;) {
        const auto from = order_.begin() + static_cast<std::ptrdiff_t>(places[j]);
        std::move_backward(from, order_.begin() + static_cast<std::ptrdiff_t>(kept),
                           order_.begin() + static_cast<std::ptrdiff_t>(kept + j + 1));
        order_[places[j] + j] = entries[j].oid;
        kept = places[j];
    }
    if (!IsSorted()) return;
    for (ViewEntry& entry : entries) keys_.insert_or_assign(entry.oid, std::move(entry.keys));
}

std::optional<size_t> OrderedView::PositionOf(CeOid record) const {
    Keys none;
    const Keys* keys = &none;
    if (IsSorted()) {
        const auto found = keys_.find(record);
        if (found == keys_.end()) return std::nullopt;
        keys = &found->second;
    }
    const size_t at = LowerBound(record, *keys);
    if (at < order_.size() && order_[at] == record) return at;
    return std::nullopt;
}

std::optional<ViewEntry> OrderedView::LoadEntry(Volume& volume, CeOid record) const {
    std::vector<ViewEntry> entries = Load(volume.Db(), record);
    if (entries.empty()) return std::nullopt;
    return std::move(entries.front());
}

std::optional<size_t> OrderedView::IndexOf(const ViewEntry& known) const {
    const size_t index = LowerBound(known);
    if (index < order_.size() && order_[index] == known.oid) return index;
    return PositionOf(known.oid);
}

size_t OrderedView::LowerBound(const ViewEntry& probe) const { return LowerBound(probe.oid, probe.keys); }

size_t OrderedView::LowerBound(CeOid oid, const Keys& keys) const {
    const auto found =
        std::lower_bound(order_.begin(), order_.end(), oid, [this, &keys](CeOid entry, CeOid probe) {
            return keyOrder_.Less(entry, KeysOf(entry), probe, keys);
        });
    return static_cast<size_t>(found - order_.begin());
}

std::optional<size_t> OrderedView::FirstEqual(const std::vector<KeyValue>& values) const {
    const size_t count = values.size();
    const auto found = std::lower_bound(order_.begin(), order_.end(), values,
                                        [this, count](CeOid entry, const std::vector<KeyValue>& v) {
                                            return keyOrder_.ComparePrefix(KeysOf(entry), v, count) < 0;
                                        });
    if (found == order_.end() || keyOrder_.ComparePrefix(KeysOf(*found), values, count) != 0)
        return std::nullopt;
    return static_cast<size_t>(found - order_.begin());
}

std::optional<size_t> OrderedView::FirstGreater(const std::vector<KeyValue>& values) const {
    const size_t count = values.size();
    const auto found = std::upper_bound(order_.begin(), order_.end(), values,
                                        [this, count](const std::vector<KeyValue>& v, CeOid entry) {
                                            return keyOrder_.ComparePrefix(v, KeysOf(entry), count) < 0;
                                        });
    if (found == order_.end()) return std::nullopt;
    return static_cast<size_t>(found - order_.begin());
}

}  // namespace plat::objstore
