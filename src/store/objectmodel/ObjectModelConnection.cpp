#include "store/objectmodel/ObjectModelConnection.h"

#include <string>
#include <vector>

#include "core/settings/Folders.h"
#include "platform/device/Device.h"
#include "platform/pom/InfraredFolder.h"
#include "platform/pom/PomApplication.h"
#include "platform/pom/PomItem.h"
#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "store/vcard/ContactTransfer.h"

using plat::pom::ItemType;

namespace {

constexpr int32_t kAppointmentReminderMinutes = 15;

uint32_t ContactRef(uint32_t itemNumber) {
    return (plat::pom::kKindContact << plat::pom::kItemKindShift) | itemNumber;
}

// The category names of a stored contact as the object model gives them.
std::vector<Str> CategoryNames(plat::pom::Application& app, uint32_t itemNumber) {
    std::vector<Str> names;
    const auto item = itemNumber != 0 ? app.GetItemFromOid(ContactRef(itemNumber)) : nullptr;
    std::vector<plat::PropVal> props;
    if (!item || !item->GetProps(std::span(&plat::pom::kPropItemCategories, 1), props)) return names;
    const std::u16string& text = props[0].text;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find(u", ", at), text.size());
        names.emplace_back(std::u16string_view(text).substr(at, end - at));
        at = end + 2;
    }
    return names;
}

// Adds the contact stored as record `oid` to the infrared folder as its vCard, named by its File As
// text or display name.
bool AddCard(plat::pom::Application& app, CCeDBDatabase& contacts, uint32_t oid,
             plat::pom::InfraredFolder& folder) {
    CCeDBRecord record;
    if (!contacts.SeekToRecord(oid) || contacts.Read(record) != oid) return false;
    Contact contact;
    contact.LoadFromRecord(record);
    const Str& fileAs = contact.GetText(kFieldFileAs);
    const Str name = fileAs.IsEmpty() ? contact.GetDisplayName() : fileAs;
    const std::string card = ExportContact(contact, CategoryNames(app, contact.GetRecordId()));
    return folder.AddItemToInfraredFolder(ItemType::Contact, card, std::u16string(name.View()));
}

}  // namespace

ObjectModelConnection& ObjectModelConnection::Instance() {
    // Replaced when the device changes, never destroyed at exit: the object store it closes
    // would already be gone by then (the process's end releases everything).
    static ObjectModelConnection* instance = nullptr;
    static uint64_t generation = 0;
    if (instance == nullptr || generation != plat::CurrentDeviceGeneration()) {
        delete instance;
        instance = new ObjectModelConnection();
        generation = plat::CurrentDeviceGeneration();
    }
    return *instance;
}

ObjectModelConnection::ObjectModelConnection() = default;

ObjectModelConnection::~ObjectModelConnection() { watcher_.Stop(); }

int ObjectModelConnection::Available() {
    if (state_ != -1) return state_;
    state_ = 0;
    auto app = std::make_unique<plat::pom::Application>();
    if (!app->Logon()) return state_;
    app_ = std::move(app);
    state_ = 1;
    return state_;
}

int ObjectModelConnection::SaveContact(uint32_t oid, uint32_t itemNumber) {
    if (Available() != 1) return 0;
    const auto item = app_->GetContactItem(oid, itemNumber);
    return item && item->Save() ? 1 : 0;
}

int ObjectModelConnection::DeleteContact(uint32_t itemNumber) {
    if (Available() != 1) return 0;
    const auto item = app_->GetItemFromOid(ContactRef(itemNumber));
    return item && item->Delete() ? 1 : 0;
}

int ObjectModelConnection::CreateAppointment(const Str& subject, const Str& body) {
    if (Available() != 1) return 0;
    app_->SetCalendarFolder(std::u16string(DataFolder().View()));
    const auto item = app_->CreateItem(ItemType::Appointment);
    if (!item) return 0;
    item->SetSubject(std::u16string(subject.View()));
    item->SetBody(std::u16string(body.View()));
    item->SetReminderMinutesBeforeStart(kAppointmentReminderMinutes);
    if (!item->Save()) return 0;
    watcher_.Start(watcherTiming_);
    if (item->Display() && !item->Save()) return 0;
    return 1;
}

int ObjectModelConnection::TouchCategories() {
    if (Available() != 1) return 0;
    const auto item = app_->CreateItem(ItemType::Contact);
    std::vector<plat::PropVal> props;
    return item && item->GetProps(std::span(&plat::pom::kPropItemCategories, 1), props) ? 1 : 0;
}

int ObjectModelConnection::Beam(const Array<uint32_t>& oids) {
    if (Available() != 1) return 0;
    if (oids.IsEmpty()) return 1;
    const auto folder = app_->GetDefaultFolder(plat::pom::kFolderInfrared);
    CCeDBDatabase contacts;
    if (!folder || !contacts.Open(kContactsDbName)) return 0;
    for (const uint32_t oid : oids) {
        if (!AddCard(*app_, contacts, oid, *folder)) return 0;
    }
    return folder->SendToInfrared() ? 1 : 0;
}
