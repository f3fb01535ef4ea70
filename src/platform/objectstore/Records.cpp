#include "platform/objectstore/Records.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/objectstore/Utf16Bytes.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

namespace {

// Streams are blocks once stored.
uint16_t StoredType(uint16_t type) { return type == CEVT_STREAM ? CEVT_BLOB : type; }

bool IsBytesType(uint16_t type) { return type == CEVT_LPWSTR || type == CEVT_BLOB; }

PropVal PropFromRow(const sql::Statement& row, uint16_t number) {
    const auto type = static_cast<uint16_t>(row.Int(0));
    if (!IsKnownPropType(type) || StoredType(type) != type) Fail(ERROR_FILE_CORRUPT, "a stored property has an unknown type");
    const bool isBlob = row.Text(2) == "blob";
    if (isBlob != IsBytesType(type)) Fail(ERROR_FILE_CORRUPT, "a stored property value does not match its type");
    PropVal prop;
    prop.propId = MakePropId(number, type);
    if (type == CEVT_LPWSTR) {
        prop.text = Utf16Text(row.Blob(1));
    } else if (type == CEVT_BLOB) {
        prop.blob = row.Blob(1);
    } else if (type == CEVT_FILETIME) {
        prop.filetime = static_cast<uint64_t>(row.Int(1));
    } else {
        prop.u32 = static_cast<uint32_t>(row.Int(1));
    }
    return prop;
}

void BindValue(sql::Statement& statement, int index, const PropVal& prop) {
    switch (StoredType(PropType(prop.propId))) {
        case CEVT_LPWSTR:
            statement.BindBlob(index, Utf16Bytes(std::u16string_view(prop.text).substr(0, prop.text.find(u'\0'))));
            break;
        case CEVT_BLOB: statement.BindBlob(index, prop.blob); break;
        case CEVT_FILETIME: statement.Bind(index, static_cast<int64_t>(prop.filetime)); break;
        case CEVT_I4: statement.Bind(index, static_cast<int64_t>(static_cast<int32_t>(prop.u32))); break;
        default: statement.Bind(index, static_cast<int64_t>(prop.u32)); break;
    }
}

void RemoveProp(sqlite3* db, CeOid owner, uint16_t number) {
    sql::Statement remove(db, "DELETE FROM props WHERE owner = ?1 AND num = ?2");
    remove.Bind(1, owner).Bind(2, number).Execute();
}

// Rows of one record go in with one statement of up to kRowsAtOnce rows: most of the cost of a
// single-row insert is running the statement, not placing the row. Later rows replace earlier
// ones of the same number, as one statement per row in their order would.
constexpr size_t kRowsAtOnce = 16;

const std::string& PutRowsText(size_t rows) {
    static const auto texts = [] {
        std::array<std::string, kRowsAtOnce + 1> made;
        for (size_t count = 1; count <= kRowsAtOnce; ++count) {
            std::string& text = made[count];
            text = "INSERT OR REPLACE INTO props(owner, num, type, value) VALUES ";
            for (size_t row = 0; row < count; ++row) text += row == 0 ? "(?, ?, ?, ?)" : ", (?, ?, ?, ?)";
        }
        return made;
    }();
    return texts[rows];
}

void PutProps(sqlite3* db, CeOid owner, std::span<const PropVal* const> props) {
    for (size_t at = 0; at < props.size(); at += kRowsAtOnce) {
        const std::span<const PropVal* const> rows =
            props.subspan(at, std::min(kRowsAtOnce, props.size() - at));
        sql::Statement put(db, PutRowsText(rows.size()));
        for (size_t row = 0; row < rows.size(); ++row) {
            const PropVal& prop = *rows[row];
            const int first = static_cast<int>(row) * 4 + 1;
            put.Bind(first, owner)
                .Bind(first + 1, PropNumber(prop.propId))
                .Bind(first + 2, StoredType(PropType(prop.propId)));
            BindValue(put, first + 3, prop);
        }
        put.Execute();
    }
}

}  // namespace

bool RecordInDatabase(sqlite3* db, CeOid record, CeOid database) {
    sql::Statement find(db, "SELECT count(*) FROM records WHERE oid = ?1 AND db = ?2");
    find.Bind(1, record).Bind(2, database);
    return find.Step() && find.Int(0) == 1;
}

void InsertRecord(sqlite3* db, CeOid record, CeOid database) {
    sql::Statement insert(db, "INSERT INTO records(oid, db) VALUES (?1, ?2)");
    insert.Bind(1, record).Bind(2, database).Execute();
}

void RemoveRecord(sqlite3* db, CeOid record) {
    for (const char* text : {"DELETE FROM props WHERE owner = ?1", "DELETE FROM records WHERE oid = ?1"}) {
        sql::Statement remove(db, text);
        remove.Bind(1, record).Execute();
    }
}

void ValidateProps(std::span<const PropVal> props) {
    for (const PropVal& prop : props) {
        if (!IsKnownPropType(PropType(prop.propId))) Fail(ERROR_INVALID_PARAMETER, "a property of an unknown type");
    }
}

std::vector<PropVal> LoadAllProps(sqlite3* db, CeOid owner) {
    std::vector<PropVal> props;
    sql::Statement rows(db, "SELECT type, value, typeof(value), num FROM props WHERE owner = ?1 ORDER BY num");
    rows.Bind(1, owner);
    while (rows.Step()) props.push_back(PropFromRow(rows, static_cast<uint16_t>(rows.Int(3))));
    return props;
}

std::vector<PropVal> LoadAskedProps(sqlite3* db, CeOid owner, std::span<const uint32_t> propIds) {
    std::vector<PropVal> props;
    props.reserve(propIds.size());
    for (const uint32_t propId : propIds) {
        sql::Statement find(db, "SELECT type, value, typeof(value) FROM props WHERE owner = ?1 AND num = ?2 AND type = ?3");
        find.Bind(1, owner).Bind(2, PropNumber(propId)).Bind(3, StoredType(PropType(propId)));
        PropVal prop;
        if (find.Step()) {
            prop = PropFromRow(find, PropNumber(propId));
        } else {
            prop.flags = CEDB_PROPNOTFOUND;
        }
        prop.propId = propId;
        props.push_back(std::move(prop));
    }
    return props;
}

std::optional<std::vector<PropVal>> LoadRecord(sqlite3* db, CeOid record, CeOid database,
                                               std::span<const uint32_t> propIds) {
    // A read of one property (a record's number, its item number) takes only that row: the others,
    // a picture among them, are never read from the file. A read of several walks every row (a
    // list of numbers in the join costs SQLite more than it saves) but loads the value of an asked
    // one only, so that a list's names never pay for a large note or picture; typeof() reads the
    // row's header, not its value.
    const bool one = propIds.size() == 1;
    const bool some = propIds.size() > 1;
    sql::Statement rows(
        db, one    ? "SELECT p.type, p.value, typeof(p.value), p.num FROM records r LEFT JOIN props p "
                     "ON p.owner = r.oid AND p.num = ?3 WHERE r.oid = ?1 AND r.db = ?2"
            : some ? "SELECT p.type, CASE WHEN instr(?3, ',' || p.num || ',') > 0 THEN p.value END, "
                     "typeof(p.value), p.num FROM records r LEFT JOIN props p "
                     "ON p.owner = r.oid WHERE r.oid = ?1 AND r.db = ?2 ORDER BY p.num"
                   : "SELECT p.type, p.value, typeof(p.value), p.num FROM records r LEFT JOIN props p "
                     "ON p.owner = r.oid WHERE r.oid = ?1 AND r.db = ?2 ORDER BY p.num");
    rows.Bind(1, record).Bind(2, database);
    if (one) rows.Bind(3, PropNumber(propIds[0]));
    if (some) {
        std::string numbers = ",";
        for (const uint32_t propId : propIds) numbers += std::to_string(PropNumber(propId)) + ",";
        rows.Bind(3, std::string_view(numbers));
    }
    if (!rows.Step()) return std::nullopt;
    std::vector<PropVal> all;
    std::vector<PropVal> asked(propIds.size());
    for (size_t i = 0; i < propIds.size(); ++i) {
        asked[i].propId = propIds[i];
        asked[i].flags = CEDB_PROPNOTFOUND;
    }
    do {
        if (rows.Text(2) == "null") break;  // a record without properties
        const auto number = static_cast<uint16_t>(rows.Int(3));
        if (propIds.empty()) {
            all.push_back(PropFromRow(rows, number));
            continue;
        }
        for (size_t i = 0; i < propIds.size(); ++i) {
            if (PropNumber(propIds[i]) != number || StoredType(PropType(propIds[i])) != rows.Int(0)) continue;
            asked[i] = PropFromRow(rows, number);
            asked[i].propId = propIds[i];
        }
    } while (rows.Step());
    return propIds.empty() ? all : asked;
}

// The puts between two deletes go in together; a delete waits for the puts before it, so the
// values end as one change after another in the given order would leave them.
void StoreProps(sqlite3* db, CeOid owner, std::span<const PropVal> props, std::span<const uint16_t> fixed) {
    std::vector<const PropVal*> puts;
    puts.reserve(props.size());
    for (const PropVal& prop : props) {
        const uint16_t number = PropNumber(prop.propId);
        if ((prop.flags & CEDB_PROPDELETE) != 0) {
            PutProps(db, owner, puts);
            puts.clear();
            RemoveProp(db, owner, number);
        } else if ((prop.flags & CEDB_PROPNOTFOUND) == 0 &&
                   std::find(fixed.begin(), fixed.end(), number) == fixed.end()) {
            puts.push_back(&prop);
        }
    }
    PutProps(db, owner, puts);
}

}  // namespace plat::objstore
