#include "sync/local/LocalContacts.h"

#include <set>

#include "categories/manager/CategoryManager.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/contact/ContactUid.h"

namespace carddav {

int64_t LocalContacts::JournalHead() {
    plat::JournalChanges changes;
    CCeDBDatabase& db = manager_.Databases().Contacts();
    if (!plat::ReadJournalChanges(db.VolumeId(), 0, {}, changes)) return -1;
    return changes.head;
}

std::optional<std::vector<uint32_t>> LocalContacts::ChangedSince(int64_t after) {
    if (after < 0) return std::nullopt;
    CCeDBDatabase& db = manager_.Databases().Contacts();
    const plat::CeOid databases[] = {db.DatabaseId()};
    plat::JournalChanges changes;
    if (!plat::ReadJournalChanges(db.VolumeId(), after, databases, changes) || !changes.complete ||
        changes.head < 0)
        return std::nullopt;
    std::set<uint32_t> oids;
    for (const plat::JournalChanges::Record& record : changes.records) oids.insert(record.oid);
    return std::vector<uint32_t>(oids.begin(), oids.end());
}

std::vector<uint32_t> LocalContacts::All() { return manager_.Index().ListAll(IndexOrder::Name, nullptr); }

bool LocalContacts::Read(uint32_t oid, Contact& contact, std::vector<Str>& categories) {
    categories.clear();
    if (!manager_.ReadContact(oid, contact)) return false;
    CategoryManager* manager = CategoryManager::Instance();
    Array<Str> names;
    if (manager != nullptr && !contact.categories.IsEmpty() &&
        !manager->GetContactCategoryNames(contact, names))
        throw LocalError("cannot read the categories of a contact");
    for (int i = 0; i < names.GetSize(); ++i) categories.push_back(names[i]);
    return true;
}

uint32_t LocalContacts::Write(ImportedContact& card, uint32_t oid) {
    Contact& contact = card.contact;
    Array<uint32_t> ids;
    CategoryManager* categories = card.categories.empty() ? nullptr : CategoryManager::Instance();
    for (const Str& name : card.categories) {
        uint32_t id = 0;
        if (categories != nullptr && categories->AddCategory(name, id) != CategoryManager::kAddFailed &&
            id != 0)
            ids.Add(id);
    }
    contact.categories = ids;
    ContactWrite written;
    if (oid == 0) {
        written = manager_.AddContact(contact, true);
    } else {
        Contact stored;
        if (!manager_.ReadContact(oid, stored))
            throw LocalError("the contact " + std::to_string(oid) + " is gone");
        contact.SetOid(oid);
        contact.SetUid(stored.GetUid());
        written = manager_.UpdateContact(contact, true);
    }
    if (!written.record) throw LocalError("a contact could not be written to the device");
    ++writes_;
    for (const std::string& cut : written.limited) cut_.push_back(cut);
    return contact.GetOid();
}

void LocalContacts::Remove(uint32_t oid) {
    const ContactWrite written = manager_.DeleteContact(oid);
    if (!written.record) throw LocalError("a contact could not be deleted from the device");
    ++writes_;
}

void LocalContacts::Together(const std::function<void()>& writes) {
    ContactManager::Batch batch(manager_);
    writes();
    if (!batch.End()) throw LocalError("a commit of the device's contacts failed");
}

std::string LocalContacts::EnsureUid(Contact& contact) {
    if (contact.GetUid().IsEmpty()) {
        contact.SetUid(NewContactUid());
        if (!manager_.UpdateContact(contact, true).record)
            throw LocalError("a contact could not be given a UID");
    }
    return contact.GetUid().ToUtf8();
}

}  // namespace carddav
