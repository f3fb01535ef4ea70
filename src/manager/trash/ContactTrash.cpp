#include "manager/trash/ContactTrash.h"

#include <algorithm>

#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/contact/ContactFields.h"
#include "store/contact/ContactUid.h"
#include "store/contact/Crc32.h"
#include "store/db/DbScan.h"

namespace {

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t WordAt(std::span<const uint8_t> bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) value = (value << 8) | bytes[at + i];
    return value;
}

void PutUnits(std::vector<uint8_t>& out, std::u16string_view text) {
    for (const char16_t unit : text) {
        out.push_back(static_cast<uint8_t>(unit & 0xFF));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
}

std::vector<uint8_t> EncodeNames(const Array<Str>& names) {
    std::vector<uint8_t> out;
    for (const Str& name : names) {
        PutUnits(out, name.View());
        PutUnits(out, std::u16string_view(u"\0", 1));
    }
    return out;
}

std::vector<Str> DecodeNames(std::span<const uint8_t> bytes) {
    std::vector<Str> names;
    std::u16string name;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit != 0) {
            name.push_back(unit);
        } else if (!name.empty()) {
            names.emplace_back(name);
            name.clear();
        }
    }
    return names;
}

const CCeDBProp* Found(const CCeDBRecord& record, uint16_t number) {
    const CCeDBProp* prop = record.Find(number);
    return prop != nullptr && !prop->IsNotFound() ? prop : nullptr;
}

uint32_t WordOf(const CCeDBRecord& record, uint16_t number) {
    const CCeDBProp* prop = Found(record, number);
    return prop != nullptr ? prop->GetULong() : 0;
}

std::span<const uint8_t> BlobOf(const CCeDBRecord& record, uint16_t number) {
    const CCeDBProp* prop = Found(record, number);
    if (prop == nullptr || prop->GetBlobData() == nullptr) return {};
    return {prop->GetBlobData(), prop->GetBlobSize()};
}

bool IsTrashProp(uint16_t number) {
    return number >= ContactTrash::kPropRole && number <= ContactTrash::kPropAdded;
}

// The ids of the named categories, made when missing (a category deleted since comes back).
bool CategoryIds(const std::vector<Str>& names, Array<uint32_t>& ids) {
    CategoryManager* categories = names.empty() ? nullptr : CategoryManager::Instance();
    if (names.empty()) return true;
    if (categories == nullptr) return false;
    for (const Str& name : names) {
        uint32_t id = 0;
        if (categories->AddCategory(name, id) == CategoryManager::kAddFailed || id == 0) return false;
        ids.Add(id);
    }
    return true;
}

}  // namespace

bool ContactTrash::Open() {
    if (db_.IsOpen()) return true;
    if (!db_.Open(kDatabaseName)) {
        plat::DatabaseDescription declared;
        declared.name = kDatabaseName;
        const plat::CeGuid& volume = manager_.Databases().Contacts().VolumeId();
        if (volume.IsZero()) return false;
        if (plat::CreateDatabase(volume, declared) == 0 && plat::GetLastError() != plat::ERROR_ALREADY_EXISTS)
            return false;
        if (!db_.Open(kDatabaseName)) return false;
    }
    PurgeOld();
    return true;
}

// Deleted contacts kept longer than kKeepDays go; a failure leaves them for the next open.
void ContactTrash::PurgeOld() {
    const std::optional<std::vector<TrashItem>> items = Items();
    if (!items) return;
    const uint64_t now = plat::FileTimeNow();
    const uint64_t limit = kKeepDays * kFileTimeDay;
    for (const TrashItem& item : *items) {
        if (item.role == TrashRole::Deleted && now > item.when && now - item.when > limit)
            (void)Drop(item.trashOid);
    }
}

std::optional<std::vector<TrashItem>> ContactTrash::Items() {
    const uint32_t props[] = {
        plat::MakePropId(kPropRole, plat::CEVT_UI4), plat::MakePropId(kPropOriginal, plat::CEVT_UI4),
        plat::MakePropId(kPropWhen, plat::CEVT_FILETIME), plat::MakePropId(kPropAction, plat::CEVT_UI4),
        plat::MakePropId(kPropKind, plat::CEVT_UI4)};
    std::vector<TrashItem> items;
    const bool read = ScanDatabase(db_, props, 5, [&](const CCeDBRecord& record) {
        const CCeDBProp* when = Found(record, kPropWhen);
        items.push_back({record.GetOid(), static_cast<TrashRole>(WordOf(record, kPropRole)),
                         WordOf(record, kPropOriginal), when != nullptr ? when->GetFileTime() : 0,
                         WordOf(record, kPropAction), WordOf(record, kPropKind)});
    });
    if (!read) return std::nullopt;
    return items;
}

bool ContactTrash::ReadRecord(CCeDBDatabase& db, uint32_t oid, CCeDBRecord& record) {
    return db.IsOpen() && db.SeekToRecord(oid) && db.Read(record) != 0;
}

bool ContactTrash::ReadContact(uint32_t trashOid, Contact& contact, Contact::PictureLoad picture) {
    CCeDBRecord record;
    if (!ReadRecord(db_, trashOid, record)) return false;
    contact.LoadFromRecord(record, picture);
    contact.SetOid(WordOf(record, kPropOriginal));
    contact.SetRecordId(0);
    contact.categories.RemoveAll();
    contact.categoriesLoaded = CategoryIds(DecodeNames(BlobOf(record, kPropCategories)), contact.categories);
    return contact.categoriesLoaded;
}

bool ContactTrash::Keep(uint32_t oid, TrashRole role, uint32_t action) {
    CCeDBRecord stored;
    if (!ReadRecord(manager_.Databases().Contacts(), oid, stored)) return false;
    Contact contact;
    contact.LoadFromRecord(stored, Contact::PictureLoad::Skip);
    Array<Str> names;
    CategoryManager* categories = CategoryManager::Instance();
    if (contact.GetRecordId() != 0 &&
        (categories == nullptr || !categories->GetContactCategoryNames(contact, names))) {
        return false;
    }
    CCeDBRecord kept;
    for (int i = 0; i < stored.GetCount(); ++i) {
        const CCeDBProp& prop = *stored.GetAt(i);
        if (prop.IsNotFound() || IsTrashProp(prop.GetNumber()) || prop.GetNumber() == kPropRecordId) continue;
        kept.Add(new CCeDBProp(prop.ToPropVal()));
    }
    if (Found(stored, kPropUid) == nullptr)
        kept.Add(new CCeDBProp(kPropUid, contact.GetUid().View().data(), true));
    const uint64_t now = plat::FileTimeNow();
    kept.Add(new CCeDBProp(kPropRole, static_cast<uint32_t>(role)));
    kept.Add(new CCeDBProp(kPropOriginal, oid));
    kept.Add(new CCeDBProp(kPropWhen, static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32)));
    kept.Add(new CCeDBProp(kPropAction, action));
    const std::vector<uint8_t> namesBytes = EncodeNames(names);
    kept.Add(
        new CCeDBProp(kPropCategories, namesBytes.data(), static_cast<uint32_t>(namesBytes.size()), true));
    if (role == TrashRole::Deleted && attachments_ != nullptr) {
        const std::vector<uint8_t> bytes = attachments_->Capture(oid);
        kept.Add(new CCeDBProp(kPropAttachments, bytes.data(), static_cast<uint32_t>(bytes.size()), true));
    }
    return db_.IsOpen() && db_.Write(kept, CCeDBDatabase::kWriteNew) != 0;
}

bool ContactTrash::Restore(uint32_t trashOid, uint32_t& restored) {
    Contact contact;
    if (!ReadContact(trashOid, contact, Contact::PictureLoad::Decode)) return false;
    CCeDBRecord record;
    if (!ReadRecord(db_, trashOid, record)) return false;
    const std::span<const uint8_t> attached = BlobOf(record, kPropAttachments);
    contact.SetOid(0);
    const ContactWrite written = manager_.AddContact(contact, true);
    if (!written.Complete() || !Drop(trashOid)) return false;
    restored = contact.GetOid();
    if (!attached.empty())
        pendingAttachments_.emplace_back(std::vector<uint8_t>(attached.begin(), attached.end()), restored);
    return true;
}

bool ContactTrash::FinishRestores() {
    bool all = true;
    for (const auto& [bytes, oid] : pendingAttachments_) {
        all = attachments_ != nullptr && attachments_->Restore(bytes, oid) && all;
    }
    pendingAttachments_.clear();
    return all;
}

bool ContactTrash::Drop(uint32_t trashOid) { return db_.IsOpen() && db_.DeleteRecord(trashOid); }

std::optional<uint32_t> ContactTrash::Fingerprint(uint32_t oid) {
    CCeDBRecord record;
    if (!ReadRecord(manager_.Databases().Contacts(), oid, record)) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (int i = 0; i < record.GetCount(); ++i) {
        const plat::PropVal value = record.GetAt(i)->ToPropVal();
        PutWord(bytes, value.propId);
        PutWord(bytes, value.u32);
        PutWord(bytes, static_cast<uint32_t>(value.filetime));
        PutWord(bytes, static_cast<uint32_t>(value.filetime >> 32));
        PutUnits(bytes, value.text);
        bytes.insert(bytes.end(), value.blob.begin(), value.blob.end());
    }
    return Crc32(bytes);
}

bool ContactTrash::WriteAction(uint32_t kind, uint32_t number, std::span<const uint32_t> added) {
    const std::optional<std::vector<TrashItem>> items = Items();
    if (!items) return false;
    for (const TrashItem& item : *items) {
        if (item.role != TrashRole::Before || item.action != number) continue;
        const std::optional<uint32_t> print = Fingerprint(item.original);
        CCeDBRecord change;
        change.SetOid(item.trashOid);
        change.Add(new CCeDBProp(kPropFingerprint, print.value_or(0)));
        if (!print || !db_.SeekToRecord(item.trashOid) || db_.Write(change, CCeDBDatabase::kWriteUpdate) == 0)
            return false;
    }
    std::vector<uint8_t> pairs;
    for (const uint32_t oid : added) {
        const std::optional<uint32_t> print = Fingerprint(oid);
        if (!print) return false;
        PutWord(pairs, oid);
        PutWord(pairs, *print);
    }
    CCeDBRecord record;
    const uint64_t now = plat::FileTimeNow();
    record.Add(new CCeDBProp(kPropRole, static_cast<uint32_t>(TrashRole::Action)));
    record.Add(new CCeDBProp(kPropWhen, static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32)));
    record.Add(new CCeDBProp(kPropAction, number));
    record.Add(new CCeDBProp(kPropKind, kind));
    record.Add(new CCeDBProp(kPropAdded, pairs.data(), static_cast<uint32_t>(pairs.size()), true));
    return db_.Write(record, CCeDBDatabase::kWriteNew) != 0;
}

std::vector<std::pair<uint32_t, uint32_t>> ContactTrash::AddedBy(uint32_t trashOid) {
    CCeDBRecord record;
    std::vector<std::pair<uint32_t, uint32_t>> added;
    if (!ReadRecord(db_, trashOid, record)) return added;
    const std::span<const uint8_t> bytes = BlobOf(record, kPropAdded);
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8)
        added.emplace_back(WordAt(bytes, at), WordAt(bytes, at + 4));
    return added;
}

std::optional<uint32_t> ContactTrash::KeptFingerprint(uint32_t trashOid) {
    CCeDBRecord record;
    if (!ReadRecord(db_, trashOid, record) || Found(record, kPropFingerprint) == nullptr) return std::nullopt;
    return WordOf(record, kPropFingerprint);
}
