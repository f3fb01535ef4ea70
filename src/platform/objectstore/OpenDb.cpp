#include "platform/objectstore/OpenDb.h"

#include "platform/objectstore/Catalog.h"
#include "platform/objectstore/Journal.h"
#include "platform/objectstore/Records.h"
#include "platform/objectstore/Snapshot.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

void OpenDb::FailNoRecord(const char* why) {
    current_.reset();
    currentIndex_.reset();
    Fail(ERROR_NO_MORE_ITEMS, why);
}

CeOid OpenDb::MakeCurrent(size_t index) {
    current_ = view_.EntryAt(index);
    currentIndex_ = index;
    return current_->oid;
}

OpenDb::Position OpenDb::Locate() {
    const bool moved = view_.Refresh(volume_);
    if (!moved && currentIndex_) return Position{*currentIndex_, true};
    currentIndex_.reset();
    if (const auto index = view_.IndexOf(*current_)) {
        MakeCurrent(*index);
        return Position{*index, true};
    }
    return Position{view_.LowerBound(*current_), false};
}

CeOid OpenDb::SeekOid(CeOid record) {
    std::optional<ViewEntry> entry = view_.LoadEntry(volume_, record);
    if (!entry) {
        current_.reset();
        currentIndex_.reset();
        Fail(ERROR_NOT_FOUND, "no such record in the database");
    }
    current_ = std::move(entry);
    currentIndex_.reset();
    return record;
}

CeOid OpenDb::SeekPosition(SeekType type, int64_t value) {
    if (type == SeekType::Oid) {
        if (value <= 0 || value > 0xFFFFFFFF) Fail(ERROR_INVALID_PARAMETER, "not an object identifier");
        return SeekOid(static_cast<CeOid>(value));
    }
    int64_t target = 0;
    if (type == SeekType::Beginning) {
        if (value < 0) Fail(ERROR_INVALID_PARAMETER, "a seek from the beginning goes forward");
        (void)view_.Refresh(volume_);  // the target is counted in the refreshed view
        target = value;
    } else if (type == SeekType::End) {
        if (value > 0) Fail(ERROR_INVALID_PARAMETER, "a seek from the end goes backward");
        (void)view_.Refresh(volume_);  // as above
        target = static_cast<int64_t>(view_.Size()) - 1 + value;
    } else if (type == SeekType::Current) {
        if (!current_) FailNoRecord("there is no current record");
        const Position position = Locate();
        if (!position.onRecord && value == 0) FailNoRecord("the current record was deleted");
        // From a deleted record, one step forward reaches the record that followed it.
        const int64_t base = static_cast<int64_t>(position.index) - (!position.onRecord && value > 0 ? 1 : 0);
        target = base + value;
    } else {
        Fail(ERROR_INVALID_PARAMETER, "not a positional seek");
    }
    if (target < 0 || target >= static_cast<int64_t>(view_.Size())) FailNoRecord("no record there");
    return MakeCurrent(static_cast<size_t>(target));
}

CeOid OpenDb::SeekValues(SeekType type, std::span<const PropVal> values) {
    const KeyOrder& order = view_.Order();
    if (!view_.IsSorted()) Fail(ERROR_INVALID_PARAMETER, "the handle was opened without a sort order");
    if (values.empty() || values.size() > order.Props().size()) Fail(ERROR_INVALID_PARAMETER, "one value per key, at most");
    if (type != SeekType::ValueFirstEqual && type != SeekType::ValueGreater) Fail(ERROR_INVALID_PARAMETER, "not a value seek");
    std::vector<KeyValue> keys;
    for (size_t i = 0; i < values.size(); ++i) keys.push_back(order.FromProp(i, values[i]));
    (void)view_.Refresh(volume_);  // the seek reads the refreshed view
    const std::optional<size_t> found = type == SeekType::ValueFirstEqual ? view_.FirstEqual(keys) : view_.FirstGreater(keys);
    if (!found) FailNoRecord("no record has such values");
    return MakeCurrent(*found);
}

CeOid OpenDb::Read(std::span<const uint32_t> propIds, std::vector<PropVal>& props) {
    if (!current_) Fail(ERROR_NO_MORE_ITEMS, "there is no current record");
    const CeOid record = current_->oid;
    std::optional<std::vector<PropVal>> read = LoadRecord(volume_.Db(), record, database_, propIds);
    // The record may have been deleted by another process since it became current.
    if (!read) Fail(ERROR_NOT_FOUND, "the current record was deleted");
    props = std::move(*read);
    return record;
}

CeOid OpenDb::Write(CeOid record, std::span<const PropVal> props) {
    if (props.empty()) Fail(ERROR_INVALID_PARAMETER, "nothing to write");
    ValidateProps(props);
    sqlite3* db = volume_.Db();
    const bool created = record == 0;
    CeOid inserted = 0;
    // What a new record's write leaves behind when it fails: a skipped identifier and counter
    // value (never used again anyway) and the database's time stamp, besides the rows taken back.
    const auto undo = [&] {
        if (inserted != 0) RemoveRecord(db, inserted);
    };
    volume_.Writes().Write(
        [&] {
            if (!volume_.TouchDatabase(database_)) Fail(ERROR_NOT_FOUND, "the database was deleted");
            if (!automatic_) automatic_ = AutoIncrementNumbers(db, database_);
            const std::vector<uint16_t>& automatic = *automatic_;
            if (record == 0) {
                record = volume_.AllocateOid();
                InsertRecord(db, record, database_);
                inserted = record;
                StoreProps(db, record, props, automatic);
                for (const uint16_t number : automatic) {
                    const PropVal numbered =
                        PropVal::Number(MakePropId(number, CEVT_AUTO_I4), TakeCounter(db, database_, number));
                    StoreProps(db, record, std::span(&numbered, 1), {});
                }
                journal::Append(db, DB_CEOID_CREATED, database_, record);
            } else {
                if (!RecordInDatabase(db, record, database_))
                    Fail(ERROR_NOT_FOUND, "no such record in the database");
                StoreProps(db, record, props, automatic);
                journal::Append(db, DB_CEOID_CHANGED, database_, record);
            }
        },
        true, created ? std::function<void()>(undo) : std::function<void()>());
    if (created) volume_.RecordsAdded(database_, 1);
    return record;
}

void OpenDb::Delete(CeOid record) {
    sqlite3* db = volume_.Db();
    volume_.Writes().Write([&] {
        if (!RecordInDatabase(db, record, database_)) Fail(ERROR_NOT_FOUND, "no such record in the database");
        RemoveRecord(db, record);
        journal::Append(db, DB_CEOID_RECORD_DELETED, database_, record);
        (void)volume_.TouchDatabase(database_);  // it exists: it held the record
    }, true);
    volume_.RecordsAdded(database_, -1);
}

std::vector<PropVal> OpenDb::GetProps(std::span<const uint32_t> propIds) {
    return Snapshot(volume_.Db(), [&] {
        return propIds.empty() ? LoadAllProps(volume_.Db(), database_) : LoadAskedProps(volume_.Db(), database_, propIds);
    });
}

void OpenDb::SetProps(std::span<const PropVal> props) {
    ValidateProps(props);
    volume_.Writes().Write([&] { StoreProps(volume_.Db(), database_, props, {}); }, false);
}

}  // namespace plat::objstore
