#include "platform/objectstore/Catalog.h"

#include <algorithm>

#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/objectstore/Utf16Bytes.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

namespace {

constexpr uint32_t kKnownPropFlags = CEDB_SORT_DESCENDING | CEDB_SORT_CASEINSENSITIVE | CEDB_SORT_UNKNOWNFIRST;
constexpr uint16_t kKnownKeyFlags = CEDB_SORT_UNIQUE | CEDB_SORT_NO_POSITIONAL;

bool IsSortable(uint16_t type) {
    return type == CEVT_I4 || type == CEVT_UI4 || type == CEVT_LPWSTR || type == CEVT_FILETIME ||
           type == CEVT_AUTO_I4;
}

[[noreturn]] void Invalid(const std::string& why) { Fail(ERROR_INVALID_PARAMETER, why); }

void ValidateOrder(const SortOrderDescription& order) {
    if (order.props.empty() || order.props.size() > kMaxSortProps) Invalid("a sort order needs 1 to 16 properties");
    if ((order.keyFlags & ~kKnownKeyFlags) != 0) Invalid("unknown sort order flags");
    for (const SortProp& prop : order.props) {
        if (!IsSortable(PropType(prop.propId))) Invalid("a sort property must be a number, text or file time");
        if ((prop.flags & ~kKnownPropFlags) != 0) Invalid("unknown sort property flags");
    }
}

void InsertSortOrders(sqlite3* db, CeOid oid, const std::vector<SortOrderDescription>& orders) {
    for (size_t ord = 0; ord < orders.size(); ++ord) {
        sql::Statement order(db, "INSERT INTO sort_orders(db, ord, key_flags) VALUES (?1, ?2, ?3)");
        order.Bind(1, oid).Bind(2, static_cast<int64_t>(ord)).Bind(3, orders[ord].keyFlags).Execute();
        for (size_t pos = 0; pos < orders[ord].props.size(); ++pos) {
            sql::Statement prop(db, "INSERT INTO sort_props(db, ord, pos, prop_id, flags) VALUES (?1, ?2, ?3, ?4, ?5)");
            prop.Bind(1, oid).Bind(2, static_cast<int64_t>(ord)).Bind(3, static_cast<int64_t>(pos));
            prop.Bind(4, orders[ord].props[pos].propId).Bind(5, orders[ord].props[pos].flags).Execute();
        }
    }
}

int64_t SingleInt(sqlite3* db, std::string_view text, int64_t oid) {
    sql::Statement query(db, text);
    query.Bind(1, oid);
    return query.Step() ? query.Int(0) : 0;
}

}  // namespace

void ValidateDeclaration(const DatabaseDescription& declared) {
    if (declared.name.empty() || declared.name.size() > kMaxDatabaseNameLength ||
        declared.name.find(u'\0') != std::u16string::npos) {
        Invalid("a database name has 1 to 32 characters");
    }
    if (declared.sortOrders.size() > kMaxSortOrders) Invalid("a database declares at most 16 sort orders");
    for (const SortOrderDescription& order : declared.sortOrders) ValidateOrder(order);
    for (const uint32_t propId : declared.autoIncrement) {
        if (PropType(propId) != CEVT_AUTO_I4) Invalid("an auto-increment property must have the type 0x66");
    }
}

void InsertDatabase(sqlite3* db, CeOid oid, const DatabaseDescription& declared) {
    ValidateDeclaration(declared);
    if (FindDatabase(db, declared.name) != 0) Fail(ERROR_ALREADY_EXISTS, "a database of that name exists");
    sql::Statement row(db, "INSERT INTO databases(oid, name, folded, type, flags, modified) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    row.Bind(1, oid).BindBlob(2, Utf16Bytes(declared.name)).BindBlob(3, Utf16Bytes(FoldCase(declared.name)));
    row.Bind(4, declared.type).Bind(5, declared.flags).Bind(6, static_cast<int64_t>(FileTimeNow())).Execute();
    InsertSortOrders(db, oid, declared.sortOrders);
    for (const uint32_t propId : declared.autoIncrement) {
        sql::Statement counter(db, "INSERT OR IGNORE INTO counters(db, num, next) VALUES (?1, ?2, 1)");
        counter.Bind(1, oid).Bind(2, PropNumber(propId)).Execute();
    }
}

CeOid FindDatabase(sqlite3* db, std::u16string_view name) {
    sql::Statement find(db, "SELECT oid FROM databases WHERE folded = ?1");
    find.BindBlob(1, Utf16Bytes(FoldCase(name)));
    return find.Step() ? static_cast<CeOid>(find.Int(0)) : 0;
}

bool DatabaseExists(sqlite3* db, CeOid database) {
    return SingleInt(db, "SELECT count(*) FROM databases WHERE oid = ?1", database) == 1;
}

DatabaseInfo LoadDatabaseInfo(sqlite3* db, CeOid database) {
    sql::Statement row(db, "SELECT name, type, flags, modified FROM databases WHERE oid = ?1");
    row.Bind(1, database);
    if (!row.Step()) Fail(ERROR_NOT_FOUND, "no such database");
    DatabaseInfo info;
    info.name = Utf16Text(row.Blob(0));
    info.type = static_cast<uint32_t>(row.Int(1));
    info.flags = static_cast<uint32_t>(row.Int(2));
    info.lastModified = static_cast<uint64_t>(row.Int(3));
    info.size = static_cast<uint64_t>(SingleInt(
        db, "SELECT coalesce(sum(length(p.value)), 0) FROM records r JOIN props p ON p.owner = r.oid WHERE r.db = ?1",
        database));
    info.sortOrders = LoadSortOrders(db, database);
    return info;
}

uint64_t LoadModified(sqlite3* db, CeOid database) {
    sql::Statement row(db, "SELECT modified FROM databases WHERE oid = ?1");
    if (!row.Bind(1, database).Step()) Fail(ERROR_NOT_FOUND, "no such database");
    return static_cast<uint64_t>(row.Int(0));
}

uint32_t CountRecords(sqlite3* db, CeOid database) {
    return static_cast<uint32_t>(SingleInt(db, "SELECT count(*) FROM records WHERE db = ?1", database));
}

std::vector<SortOrderDescription> LoadSortOrders(sqlite3* db, CeOid database) {
    std::vector<SortOrderDescription> orders;
    sql::Statement order(db, "SELECT ord, key_flags FROM sort_orders WHERE db = ?1 ORDER BY ord");
    order.Bind(1, database);
    while (order.Step()) {
        SortOrderDescription declared;
        declared.keyFlags = static_cast<uint16_t>(order.Int(1));
        sql::Statement props(db, "SELECT prop_id, flags FROM sort_props WHERE db = ?1 AND ord = ?2 ORDER BY pos");
        props.Bind(1, database).Bind(2, order.Int(0));
        while (props.Step()) {
            declared.props.push_back({static_cast<uint32_t>(props.Int(0)), static_cast<uint32_t>(props.Int(1))});
        }
        orders.push_back(std::move(declared));
    }
    return orders;
}

void RemoveDatabase(sqlite3* db, CeOid database) {
    for (const char* text : {"DELETE FROM props WHERE owner IN (SELECT oid FROM records WHERE db = ?1)",
                             "DELETE FROM props WHERE owner = ?1", "DELETE FROM records WHERE db = ?1",
                             "DELETE FROM sort_props WHERE db = ?1", "DELETE FROM sort_orders WHERE db = ?1",
                             "DELETE FROM counters WHERE db = ?1", "DELETE FROM databases WHERE oid = ?1"}) {
        sql::Statement remove(db, text);
        remove.Bind(1, database).Execute();
    }
}

bool TouchDatabase(sqlite3* db, CeOid database) {
    sql::Statement touch(db, "UPDATE databases SET modified = max(?2, modified + 1) WHERE oid = ?1");
    touch.Bind(1, database).Bind(2, static_cast<int64_t>(FileTimeNow())).Execute();
    return sql::Changes(db) == 1;
}

std::vector<uint16_t> AutoIncrementNumbers(sqlite3* db, CeOid database) {
    std::vector<uint16_t> numbers;
    sql::Statement list(db, "SELECT num FROM counters WHERE db = ?1 ORDER BY num");
    list.Bind(1, database);
    while (list.Step()) numbers.push_back(static_cast<uint16_t>(list.Int(0)));
    return numbers;
}

uint32_t TakeCounter(sqlite3* db, CeOid database, uint16_t number) {
    sql::Statement read(db, "SELECT next FROM counters WHERE db = ?1 AND num = ?2");
    read.Bind(1, database).Bind(2, number);
    const int64_t value = read.Step() ? read.Int(0) : 0;
    if (value < 1) Fail(ERROR_FILE_CORRUPT, "an auto-increment counter is missing");
    if (value > 0x7FFFFFFF) Fail(ERROR_DISK_FULL, "auto-increment values exhausted");
    sql::Statement next(db, "UPDATE counters SET next = ?3 WHERE db = ?1 AND num = ?2");
    next.Bind(1, database).Bind(2, number).Bind(3, value + 1).Execute();
    return static_cast<uint32_t>(value);
}

}  // namespace plat::objstore
