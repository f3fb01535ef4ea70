#include "host/share/HostShare.h"

#include "categories/manager/CategoryManager.h"
#include "core/diag/ErrorLog.h"
#include "manager/contacts/ContactManager.h"
#include "phone/speed/SpeedRegistry.h"
#include "platform/programs/Desktop.h"
#include "store/vcard/ContactToCard.h"

namespace {

std::unordered_set<uint32_t> SpeedDialContacts() {
    std::unordered_set<uint32_t> oids;
    for (int position = 0;; ++position) {
        const std::optional<SpeedRecord> record = ReadSpeedRecord(position);
        if (!record) return oids;
        if (record->oid != 0) oids.insert(record->oid);
    }
}

std::vector<Str> CategoryNames(const Contact& contact) {
    std::vector<Str> list;
    Array<Str> names;
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr || !categories->GetContactCategoryNames(contact, names)) return list;
    for (int i = 0; i < names.GetSize(); ++i) list.push_back(names[i]);
    return list;
}

VCard SharedCard(const Contact& contact, bool favourite) {
    VCard card = ContactToCard(contact, CategoryNames(contact));
    if (favourite) {
        VCardProperty mark;
        mark.name = "X-FOLKS-FAVOURITE";
        mark.value = u"true";
        card.properties.push_back(std::move(mark));
    }
    return card;
}

}  // namespace

bool SharesContacts() { return plat::PlatformSwitch(plat::kShareContactsValue); }

HostShare::HostShare(ContactManager& manager, SharedBook book) : manager_(manager), book_(std::move(book)) {
    manager_.AddListener(*this);
}

HostShare::~HostShare() { manager_.RemoveListener(*this); }

void HostShare::OnBusy(bool busy) {
    if (busy) return;
    if (!Write()) ErrorLog(u"The shared address book could not be written whole", "HostShare", __LINE__);
}

bool HostShare::WriteContact(uint32_t oid, const std::unordered_set<uint32_t>& favourites) {
    Contact contact;
    if (!manager_.ReadContact(oid, contact)) return book_.Remove(oid);
    return book_.Put(oid, SharedCard(contact, favourites.contains(oid)));
}

void HostShare::LearnTable() {
    bool complete = true;
    for (const uint32_t oid : manager_.Index().ListAll(IndexOrder::Name, nullptr)) {
        Contact contact;
        if (changed_.contains(oid)) continue;
        if (manager_.ReadContact(oid, contact, Contact::PictureLoad::Skip)) {
            book_.Learn(oid, SharedCard(contact, false));
        } else {
            complete = false;
        }
    }
    tableComplete_ = complete;
}

bool HostShare::Write() {
    if (everything_) return WriteAll();
    if (changed_.empty()) return true;
    const std::unordered_set<uint32_t> favourites = SpeedDialContacts();
    // The table is written whole: it needs every contact's numbers once.
    if (!book_.Paths().table.empty() && !tableComplete_) LearnTable();
    std::unordered_set<uint32_t> failed;
    for (const uint32_t oid : changed_) {
        if (!WriteContact(oid, favourites)) failed.insert(oid);
    }
    changed_ = std::move(failed);
    return book_.WriteTable() && changed_.empty();
}

bool HostShare::Begin() {
    std::error_code error;
    return std::filesystem::exists(book_.Paths().cards, error) || WriteAll();
}

bool HostShare::WriteAll() {
    const std::vector<uint32_t> all = manager_.Index().ListAll(IndexOrder::Name, nullptr);
    const std::unordered_set<uint32_t> keep(all.begin(), all.end());
    const std::unordered_set<uint32_t> favourites = SpeedDialContacts();
    bool ok = book_.KeepOnly(keep);
    for (const uint32_t oid : all) ok = WriteContact(oid, favourites) && ok;
    everything_ = !ok;
    tableComplete_ = ok;
    if (ok) changed_.clear();
    return book_.WriteTable() && ok;
}
