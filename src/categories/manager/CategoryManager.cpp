#include "categories/manager/CategoryManager.h"

#include <memory>
#include <optional>
#include <unordered_set>

#include "categories/manager/ShellSort.h"
#include "core/result/StatusText.h"
#include "core/str/Compare.h"
#include "platform/device/Device.h"
#include "platform/pom/CategoryDatabases.h"
#include "store/contact/Contact.h"
#include "store/objectmodel/ObjectModelConnection.h"

namespace {

using plat::pom::kCategoryAssocDb;
using plat::pom::kCategoryMainDb;

constexpr uint16_t kKeyProp = 1;   // category id (main), item reference (assignments)
constexpr uint16_t kNameProp = 2;  // name (main), category id (assignments)
constexpr uint32_t kMainProps[] = {plat::pom::kPropCategoryId, plat::pom::kPropCategoryName};
constexpr uint32_t kAssocProps[] = {plat::pom::kPropAssocItem, plat::pom::kPropAssocCategory};

bool OpenOrdered(CCeDBDatabase& db, std::u16string_view name, const plat::SortOrderDescription& order) {
    return db.Open(name.data(), order.props.data(), static_cast<int>(order.props.size()), {}, order.keyFlags);
}

// True when a seek or read failed only because there was no record there.
bool NothingThere() {
    const uint32_t error = plat::GetLastError();
    return error == plat::ERROR_NO_MORE_ITEMS || error == plat::ERROR_NOT_FOUND;
}

// The value of a number property, or nothing when the record lacks it.
std::optional<uint32_t> NumberOf(const CCeDBRecord& record, uint16_t number) {
    const CCeDBProp* prop = record.Find(number);
    if (prop == nullptr || prop->IsNotFound()) return std::nullopt;
    return prop->GetULong();
}

// Reads forward from the current record while `keep` accepts each one. False when a read fails
// for another reason than the end of the database.
bool ReadForward(CCeDBDatabase& db, const uint32_t* ids, int count,
                 const std::function<bool(const CCeDBRecord&)>& keep) {
    const bool advancing = db.autoAdvance;
    db.autoAdvance = false;
    bool ok = true;
    for (bool more = true; more;) {
        CCeDBRecord record;
        if (db.Read(record, ids, count) == 0) {
            ok = NothingThere();
            break;
        }
        more = keep(record) && db.SeekNext();
    }
    db.autoAdvance = advancing;
    return ok;
}

// Seeks to the first record after the key (first, second) and reads forward while property
// `number` equals `first`.
bool VisitKey(CCeDBDatabase& db, uint16_t number, const CCeDBProp (&key)[2],
              const std::function<void(const CCeDBRecord&)>& visit) {
    if (!db.SeekGreater(key, 2)) return NothingThere();
    const uint32_t wanted = key[0].GetULong();
    return ReadForward(db, kAssocProps, 2, [&](const CCeDBRecord& record) {
        if (NumberOf(record, number) != wanted) return false;
        visit(record);
        return true;
    });
}

uint32_t ItemRef(const StdContact& contact) { return ContactItemRef(contact.GetRecordId()); }

Status Read(bool ok) { return OkOr(ok, CategoryManager::kStrUnreadable); }
Status Stored(bool ok) { return OkOr(ok, CategoryManager::kStrNotStored); }
// A contact that has no record identifier value has no assignments to read or write.
Status NoRecordId() { return FailedWith(CategoryManager::kStrUnreadable, StatusCode::Invalid); }

// The ids in their first order, each once.
Array<uint32_t> Distinct(const Array<uint32_t>& ids) {
    Array<uint32_t> distinct;
    std::unordered_set<uint32_t> seen;
    for (uint32_t id : ids) {
        if (seen.insert(id).second) distinct.Add(id);
    }
    return distinct;
}

}  // namespace

void SortByName(Array<CategoryEntry>& entries) {
    ShellSort(entries.begin(), entries.end(), [](const CategoryEntry& a, const CategoryEntry& b) {
        return CompareLocale(a.name.View(), b.name.View()) < 0;
    });
}

void SortByName(Array<Str>& names) {
    ShellSort(names.begin(), names.end(),
              [](const Str& a, const Str& b) { return CompareLocale(a.View(), b.View()) < 0; });
}

Str CategoryManager::JoinNames(const Array<Str>& names) {
    Str line;
    for (int i = 0; i < names.GetSize(); ++i) {
        if (i > 0) line += u", ";
        line += names[i];
    }
    return line;
}

CategoryManager* CategoryManager::Instance() {
    // Replaced when the device changes, never destroyed at exit: the object store it closes
    // would already be gone by then (the process's end releases everything).
    static CategoryManager* instance = nullptr;
    static uint64_t generation = 0;
    if (instance != nullptr && generation == plat::CurrentDeviceGeneration()) return instance;
    delete instance;
    instance = nullptr;
    std::unique_ptr<CategoryManager> manager(new CategoryManager);
    // A device where the platform never made its category databases gets them through the
    // object model.
    if (!manager->Open() && !(ObjectModelConnection::Instance().TouchCategories() == 1 && manager->Open())) {
        return nullptr;
    }
    instance = manager.release();
    generation = plat::CurrentDeviceGeneration();
    return instance;
}

CategoryManager::~CategoryManager() = default;

bool CategoryManager::Open() {
    if (OpenOrdered(main_, kCategoryMainDb, plat::pom::CategoryByIdOrder()) &&
        OpenOrdered(assoc_, kCategoryAssocDb, plat::pom::AssocByItemOrder())) {
        return true;
    }
    main_.Close();
    assoc_.Close();
    return false;
}

bool CategoryManager::VisitItem(uint32_t itemRef, const std::function<void(const CCeDBRecord&)>& visit) {
    const CCeDBProp key[2] = {CCeDBProp(kKeyProp, itemRef), CCeDBProp(kNameProp, int32_t{0})};
    return VisitKey(assoc_, kKeyProp, key, visit);
}

bool CategoryManager::ReadCategory(uint32_t id, CategoryEntry& entry, bool& failed) {
    failed = false;
    CCeDBRecord record;
    if (!main_.SeekEqual(CCeDBProp(kKeyProp, id)) || main_.Read(record, kMainProps, 2) == 0) {
        failed = !NothingThere();
        return false;
    }
    const CCeDBProp* name = record.Find(kNameProp);
    if (NumberOf(record, kKeyProp) != id || name == nullptr || name->IsNotFound()) return false;
    entry = CategoryEntry{id, Str(name->GetText()), true};
    return true;
}

bool CategoryManager::IsAllowedName(std::u16string_view name) {
    return name.find_first_of(u",;") == std::u16string_view::npos;
}

int CategoryManager::AddCategory(const Str& name, uint32_t& id) {
    id = 0;
    if (!IsAllowedName(name.View())) return kAddFailed;
    // The handle in name order stays open: opening one reads every category, which made each
    // name of a card with a thousand categories cost a thousand reads.
    if (!byName_.IsOpen() && !OpenOrdered(byName_, kCategoryMainDb, plat::pom::CategoryByNameOrder())) {
        return kAddFailed;
    }
    bool exists = false;
    if (byName_.SeekEqual(CCeDBProp(kNameProp, name.c_str(), false))) {
        // The order's equality is the collation's; only exactly the same name counts.
        const bool read = ReadForward(byName_, kMainProps, 2, [&](const CCeDBRecord& record) {
            const CCeDBProp* found = record.Find(kNameProp);
            if (found == nullptr || CompareLocale(found->GetText(), name.View()) != 0) return false;
            if (name == found->GetText()) {
                exists = true;
                id = NumberOf(record, kKeyProp).value_or(0);
            }
            return !exists;
        });
        if (!read) return kAddFailed;
    }
    if (exists) return kAddExists;  // `id` names the category that is there
    CCeDBRecord record;
    record.Add(new CCeDBProp(kNameProp, name.c_str(), true));
    const plat::CeOid oid = main_.Write(record, CCeDBDatabase::kWriteNew);
    CCeDBRecord written;
    if (oid == 0 || !main_.SeekToRecord(oid) || main_.Read(written, kMainProps, 2) != oid) return kAddFailed;
    const auto newId = NumberOf(written, kKeyProp);
    if (!newId) return kAddFailed;
    id = *newId;
    return kAddCreated;
}

Status CategoryManager::DeleteCategory(uint32_t id) {
    CCeDBDatabase byCategory;
    if (!OpenOrdered(byCategory, kCategoryAssocDb, plat::pom::AssocByCategoryOrder())) {
        return FailedWith(kStrNotDeleted);
    }
    // Any reference keeps the category: contacts (kind 0x8), the platform's other items (0x4,
    // 0xC) and items of any other kind alike.
    bool referenced = false;
    const CCeDBProp key[2] = {CCeDBProp(kNameProp, static_cast<int32_t>(id)), CCeDBProp(kKeyProp, uint32_t{0})};
    if (!VisitKey(byCategory, kNameProp, key, [&](const CCeDBRecord&) { referenced = true; })) {
        return FailedWith(kStrNotDeleted);
    }
    if (referenced) return FailedWith(kStrInUse, StatusCode::Invalid);
    CCeDBRecord record;
    const plat::CeOid oid = main_.SeekEqual(CCeDBProp(kKeyProp, id)) ? main_.Read(record, kMainProps, 2) : 0;
    if (oid == 0 || NumberOf(record, kKeyProp) != id) {
        return FailedWith(kStrNotDeleted, NothingThere() ? StatusCode::NotFound : StatusCode::Failed);
    }
    return OkOr(main_.DeleteRecord(oid), kStrNotDeleted);
}

Status CategoryManager::GetAllCategories(Array<CategoryEntry>& entries) {
    entries.RemoveAll();
    (void)main_.SeekFirst();  // an empty database: the first read says so
    const bool ok = ReadForward(main_, kMainProps, 2, [&](const CCeDBRecord& record) {
        const CCeDBProp* name = record.Find(kNameProp);
        entries.Add(CategoryEntry{NumberOf(record, kKeyProp).value_or(0),
                                  Str(name != nullptr && !name->IsNotFound() ? name->GetText() : u""), true});
        return true;
    });
    if (!ok) entries.RemoveAll();
    SortByName(entries);
    return Read(ok);
}

Status CategoryManager::GetCategoriesInUse(Array<CategoryEntry>& entries) {
    entries.RemoveAll();
    Array<uint32_t> ids;
    const CCeDBProp key[2] = {CCeDBProp(kKeyProp, ContactItemRef(0)), CCeDBProp(kNameProp, int32_t{0})};
    bool ok = true;
    if (assoc_.SeekGreater(key, 2)) {
        ok = ReadForward(assoc_, kAssocProps, 2, [&](const CCeDBRecord& record) {
            const auto item = NumberOf(record, kKeyProp);
            if (!item || !ContactOfItemRef(*item)) return false;
            if (const auto id = NumberOf(record, kNameProp)) ids.Add(*id);
            return true;
        });
    } else {
        ok = NothingThere();
    }
    for (uint32_t id : Distinct(ids)) {
        CategoryEntry entry;
        bool failed = false;
        if (ReadCategory(id, entry, failed)) entries.Add(entry);
        ok = ok && !failed;  // an assignment to a category that is gone is skipped
    }
    if (!ok) entries.RemoveAll();
    SortByName(entries);
    return Read(ok);
}

bool CategoryManager::GetCategoryName(uint32_t id, Str& name) {
    CategoryEntry entry;
    bool failed = false;
    if (!ReadCategory(id, entry, failed)) return false;
    name = entry.name;
    return true;
}

Status CategoryManager::GetCategoryNames(const Array<uint32_t>& ids, Array<Str>& names) {
    names.RemoveAll();
    for (uint32_t id : ids) {
        CategoryEntry entry;
        bool failed = false;
        if (ReadCategory(id, entry, failed)) names.Add(entry.name);
        if (failed) {
            names.RemoveAll();
            return Read(false);
        }
    }
    SortByName(names);
    return Status::Ok();
}

Status CategoryManager::GetContactCategories(const StdContact& contact, Array<uint32_t>& ids) {
    ids.RemoveAll();
    if (contact.GetRecordId() == 0) return NoRecordId();
    const bool ok = VisitItem(ItemRef(contact), [&](const CCeDBRecord& record) {
        if (const auto id = NumberOf(record, kNameProp)) ids.Add(*id);
    });
    if (!ok) ids.RemoveAll();
    return Read(ok);
}

Status CategoryManager::GetContactCategoryNames(const StdContact& contact, Array<Str>& names) {
    Array<uint32_t> ids;
    names.RemoveAll();
    Status read = GetContactCategories(contact, ids);
    return read ? GetCategoryNames(ids, names) : read;
}

Status CategoryManager::LoadContactCategories(Contact& contact) {
    if (contact.categoriesLoaded) return Status::Ok();
    Array<uint32_t> ids;
    Status read = GetContactCategories(contact, ids);
    if (!read) return read;
    contact.categories = ids;
    contact.categoriesLoaded = true;
    return Status::Ok();
}

Status CategoryManager::GetAllContactCategories(std::unordered_map<uint32_t, Array<uint32_t>>& byRecordId) {
    byRecordId.clear();
    const CCeDBProp key[2] = {CCeDBProp(kKeyProp, ContactItemRef(0)), CCeDBProp(kNameProp, int32_t{0})};
    if (!assoc_.SeekGreater(key, 2)) return Read(NothingThere());
    const bool ok = ReadForward(assoc_, kAssocProps, 2, [&](const CCeDBRecord& record) {
        const auto item = NumberOf(record, kKeyProp);
        const std::optional<uint32_t> contact = item ? ContactOfItemRef(*item) : std::nullopt;
        if (!contact) return false;
        if (const auto id = NumberOf(record, kNameProp)) byRecordId[*contact].Add(*id);
        return true;
    });
    if (!ok) byRecordId.clear();
    return Read(ok);
}

Status CategoryManager::AddContactCategories(const StdContact& contact, const Array<uint32_t>& ids) {
    if (contact.GetRecordId() == 0) return NoRecordId();
    for (uint32_t id : Distinct(ids)) {
        CCeDBRecord record;
        record.Add(new CCeDBProp(kKeyProp, ItemRef(contact)));
        record.Add(new CCeDBProp(kNameProp, static_cast<int32_t>(id)));
        if (assoc_.Write(record, CCeDBDatabase::kWriteNew) == 0) return Stored(false);
    }
    return Status::Ok();
}

Status CategoryManager::SetContactCategories(const StdContact& contact, const Array<uint32_t>& ids) {
    if (contact.GetRecordId() == 0) return NoRecordId();
    const Array<uint32_t> wanted = Distinct(ids);
    std::unordered_set<uint32_t> missing(wanted.begin(), wanted.end());
    Array<plat::CeOid> toDelete;
    const bool ok = VisitItem(ItemRef(contact), [&](const CCeDBRecord& record) {
        if (missing.erase(NumberOf(record, kNameProp).value_or(0)) == 0) toDelete.Add(record.GetOid());
    });
    Array<uint32_t> toAdd;
    for (uint32_t id : wanted) {
        if (missing.contains(id)) toAdd.Add(id);
    }
    if (!ok) return Read(false);
    return DeleteRecords(toDelete) ? AddContactCategories(contact, toAdd) : Stored(false);
}

Status CategoryManager::RemoveContactCategories(const StdContact& contact) {
    if (contact.GetRecordId() == 0) return NoRecordId();
    Array<plat::CeOid> records;
    if (!VisitItem(ItemRef(contact), [&](const CCeDBRecord& record) { records.Add(record.GetOid()); })) {
        return Read(false);
    }
    return Stored(DeleteRecords(records));
}

bool CategoryManager::DeleteRecords(const Array<plat::CeOid>& records) {
    for (plat::CeOid oid : records) {
        if (!assoc_.DeleteRecord(oid)) return false;
    }
    return true;
}
