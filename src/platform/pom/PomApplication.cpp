#include "platform/pom/PomApplication.h"

#include <algorithm>

#include "platform/device/Device.h"
#include "platform/pom/AppointmentStore.h"
#include "platform/pom/InfraredFolder.h"
#include "platform/pom/PomItem.h"

namespace plat::pom {
namespace {

constexpr uint32_t kRecordIdProp = MakePropId(kContactRecordId, CEVT_AUTO_I4);

// The item number of the current record of `db`, 0 when it has none.
uint32_t CurrentItemNumber(DbHandle db, CeOid& oid) {
    std::vector<PropVal> props;
    oid = ReadRecordProps(db, std::span(&kRecordIdProp, 1), props);
    if (oid == 0 || props.empty() || (props[0].flags & CEDB_PROPNOTFOUND) != 0) return 0;
    return props[0].u32;
}

}  // namespace

Application::~Application() { Logoff(); }

bool Application::Logon() {
    if (IsLoggedOn()) return true;
    if (!MountDbVol(u"\\pim.vol", volume_)) return false;
    contacts_ = OpenDatabase(volume_, kContactsDatabase, nullptr, {});
    if (contacts_ != kInvalidDbHandle) return true;
    const uint32_t error = GetLastError();
    (void)UnmountDbVol(volume_);  // the logon failed already; its error is kept
    volume_ = CeGuid{};
    SetLastError(error, "the volume has no contacts database");
    return false;
}

void Application::Logoff() {
    for (DbHandle* db : {&contacts_, &appointments_}) {
        if (*db != kInvalidDbHandle) (void)CloseDatabase(*db);  // handles are given up either way
        *db = kInvalidDbHandle;
    }
    if (!volume_.IsZero()) (void)UnmountDbVol(volume_);  // as the handles
    volume_ = CeGuid{};
    contactByNumber_.clear();
    newestScanned_ = 0;
}

std::unique_ptr<Item> Application::GetItemFromOid(uint32_t itemRef) {
    if (!IsLoggedOn()) {
        SetLastError(ERROR_INVALID_HANDLE, "not logged on");
        return nullptr;
    }
    const uint32_t number = itemRef & kItemNumberMask;
    if ((itemRef >> kItemKindShift) != kKindContact || number == 0) {
        SetLastError(ERROR_NOT_FOUND, "not the reference of a contact");
        return nullptr;
    }
    const CeOid oid = FindContact(number);
    if (oid == 0) return nullptr;
    return std::make_unique<Item>(*this, ItemType::Contact, oid, number);
}

std::unique_ptr<Item> Application::GetContactItem(CeOid record, uint32_t itemNumber) {
    if (!IsLoggedOn()) {
        SetLastError(ERROR_INVALID_HANDLE, "not logged on");
        return nullptr;
    }
    if (record == 0 || itemNumber == 0 || (itemNumber & ~kItemNumberMask) != 0) {
        SetLastError(ERROR_NOT_FOUND, "not a stored contact");
        return nullptr;
    }
    return std::make_unique<Item>(*this, ItemType::Contact, record, itemNumber);
}

std::unique_ptr<Item> Application::CreateItem(ItemType type) {
    if (!IsLoggedOn()) {
        SetLastError(ERROR_INVALID_HANDLE, "not logged on");
        return nullptr;
    }
    return std::make_unique<Item>(*this, type, 0);
}

std::unique_ptr<InfraredFolder> Application::GetDefaultFolder(int folder) {
    if (!IsLoggedOn() || folder != kFolderInfrared) {
        SetLastError(ERROR_INVALID_PARAMETER, "no such default folder");
        return nullptr;
    }
    return std::make_unique<InfraredFolder>();
}

DbHandle Application::Appointments() {
    if (appointments_ == kInvalidDbHandle && IsLoggedOn()) appointments_ = OpenAppointments(volume_);
    return appointments_;
}

CeOid Application::FindContact(uint32_t itemNumber) {
    const auto cached = contactByNumber_.find(itemNumber);
    if (cached != contactByNumber_.end() && CachedContactMatches(cached->second, itemNumber)) {
        return cached->second;
    }
    // A contact saved since the last look is among the newest records: those are read first, so
    // that saving contact after contact does not read the whole store each time.
    ScanNewContacts(itemNumber);
    auto found = contactByNumber_.find(itemNumber);
    if (found == contactByNumber_.end() || !CachedContactMatches(found->second, itemNumber)) {
        ScanContacts();
        found = contactByNumber_.find(itemNumber);
    }
    if (found != contactByNumber_.end()) return found->second;
    SetLastError(ERROR_NOT_FOUND, "no contact has that item number");
    return 0;
}

bool Application::CachedContactMatches(CeOid oid, uint32_t itemNumber) {
    CeOid read = 0;
    return SeekDatabase(contacts_, SeekType::Oid, oid) == oid && CurrentItemNumber(contacts_, read) == itemNumber;
}

// Records are in identifier order and new records get higher identifiers: the walk back from
// the last record stops at the first one seen before, or at the one numbered `wanted` (the
// contact just saved is the last record: a process that saves one contact reads one record, not
// the whole store). Only a walk that reached the records seen before moves that mark, so the
// records an early stop left out are read by a later walk.
void Application::ScanNewContacts(uint32_t wanted) {
    CeOid newest = newestScanned_;
    for (CeOid at = SeekDatabase(contacts_, SeekType::End, 0); at > newestScanned_;
         at = SeekDatabase(contacts_, SeekType::Current, -1)) {
        CeOid oid = 0;
        const uint32_t number = CurrentItemNumber(contacts_, oid);
        if (number != 0) contactByNumber_[number] = oid;
        if (number == wanted) return;
        newest = std::max(newest, at);
    }
    newestScanned_ = newest;
}

void Application::ScanContacts() {
    contactByNumber_.clear();
    newestScanned_ = 0;
    for (CeOid at = SeekDatabase(contacts_, SeekType::Beginning, 0); at != 0;
         at = SeekDatabase(contacts_, SeekType::Current, 1)) {
        CeOid oid = 0;
        if (const uint32_t number = CurrentItemNumber(contacts_, oid)) contactByNumber_[number] = oid;
        newestScanned_ = std::max(newestScanned_, at);
    }
}

}  // namespace plat::pom
