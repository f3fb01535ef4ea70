#include "platform/pom/CategoryDatabases.h"

#include "platform/objectstore/ObjectStore.h"

namespace plat::pom {
namespace {

SortOrderDescription Keyed(uint16_t keyFlags, std::initializer_list<uint32_t> props) {
    SortOrderDescription order;
    order.keyFlags = keyFlags;
    for (uint32_t prop : props) order.props.push_back(SortProp{prop, 0});
    return order;
}

// True when the database exists; false with ERROR_NOT_FOUND left when it does not.
bool Exists(const CeGuid& volume, std::u16string_view name) {
    const DbHandle db = OpenDatabase(volume, name, nullptr, {});
    if (db == kInvalidDbHandle) return false;
    (void)CloseDatabase(db);  // a handle just opened; closing it cannot change the answer
    return true;
}

bool EnsureDatabase(const CeGuid& volume, const DatabaseDescription& declared) {
    if (Exists(volume, declared.name)) return true;
    if (GetLastError() != ERROR_NOT_FOUND) return false;
    return CreateDatabase(volume, declared) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

SortOrderDescription CategoryByIdOrder() { return Keyed(kCategoryKeyFlags, {kPropCategoryId}); }
SortOrderDescription CategoryByNameOrder() { return Keyed(0, {kPropCategoryName}); }
SortOrderDescription AssocByItemOrder() { return Keyed(kCategoryKeyFlags, {kPropAssocItem, kPropAssocCategory}); }
SortOrderDescription AssocByCategoryOrder() { return Keyed(kCategoryKeyFlags, {kPropAssocCategory, kPropAssocItem}); }

DatabaseDescription CategoryMainDbDescription() {
    DatabaseDescription declared;
    declared.name = std::u16string(kCategoryMainDb);
    declared.sortOrders = {CategoryByIdOrder(), CategoryByNameOrder()};
    declared.autoIncrement = {kPropCategoryId};
    return declared;
}

DatabaseDescription CategoryAssocDbDescription() {
    DatabaseDescription declared;
    declared.name = std::u16string(kCategoryAssocDb);
    declared.sortOrders = {AssocByItemOrder(), AssocByCategoryOrder()};
    return declared;
}

bool EnsureCategoryDatabases(const CeGuid& volume) {
    return EnsureDatabase(volume, CategoryMainDbDescription()) && EnsureDatabase(volume, CategoryAssocDbDescription());
}

}  // namespace plat::pom

namespace plat::pom {
namespace {

// Closes a handle when it goes out of scope.
struct ScopedDb {
    DbHandle db;
    ~ScopedDb() {
        if (db != kInvalidDbHandle) (void)CloseDatabase(db);  // the handle is given up either way
    }
};

// The category ids assigned to `itemRef`, in ascending order.
std::optional<std::vector<uint32_t>> AssignedIds(const CeGuid& volume, uint32_t itemRef) {
    const SortOrderDescription order = AssocByItemOrder();
    ScopedDb assoc{OpenDatabase(volume, kCategoryAssocDb, &order, {})};
    if (assoc.db == kInvalidDbHandle) return std::nullopt;
    const PropVal key[] = {PropVal::Number(kPropAssocItem, itemRef), PropVal::Number(kPropAssocCategory, 0)};
    std::vector<uint32_t> ids;
    const uint32_t wanted[] = {kPropAssocItem, kPropAssocCategory};
    for (CeOid at = SeekDatabaseByValues(assoc.db, SeekType::ValueGreater, key); at != 0;
         at = SeekDatabase(assoc.db, SeekType::Current, 1)) {
        std::vector<PropVal> props;
        if (ReadRecordProps(assoc.db, wanted, props) == 0) return std::nullopt;
        if (props[0].flags != 0 || props[0].u32 != itemRef) break;
        if (props[1].flags == 0) ids.push_back(props[1].u32);
    }
    return ids;
}

}  // namespace

std::optional<std::u16string> ItemCategoriesText(const CeGuid& volume, uint32_t itemRef) {
    const auto ids = AssignedIds(volume, itemRef);
    if (!ids) return std::nullopt;
    const SortOrderDescription order = CategoryByIdOrder();
    ScopedDb main{OpenDatabase(volume, kCategoryMainDb, &order, {})};
    if (main.db == kInvalidDbHandle) return std::nullopt;
    std::u16string text;
    for (uint32_t id : *ids) {
        const PropVal key = PropVal::Number(kPropCategoryId, id);
        std::vector<PropVal> props;
        if (SeekDatabaseByValues(main.db, SeekType::ValueFirstEqual, std::span(&key, 1)) == 0 ||
            ReadRecordProps(main.db, std::span(&kPropCategoryName, 1), props) == 0 || props[0].flags != 0) {
            continue;  // an assignment to a category that is gone
        }
        if (!text.empty()) text += u", ";
        text += props[0].text;
    }
    return text;
}

}  // namespace plat::pom
