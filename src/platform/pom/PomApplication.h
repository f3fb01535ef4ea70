#pragma once
// The stand-in of the platform's contacts object model (docs/object-model.md): the application
// object, its logon, items looked up by item reference or newly created, and the infrared folder.
// It works on the device's object store: saving a contact item rewrites its record so that every
// program of the device is notified of a change, appointments go to "Appointments Database" and to
// an iCalendar file, beamed contacts become vCard files.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/objectstore/ObjectStore.h"
#include "platform/pom/PomDefs.h"

namespace plat::pom {

class Item;
class InfraredFolder;

class Application {
public:
    Application() = default;
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Mounts the device's volume and opens its contacts. False (the store's last error) when the
    // device or its volume is not there.
    [[nodiscard]] bool Logon();
    void Logoff();
    [[nodiscard]] bool IsLoggedOn() const { return contacts_ != kInvalidDbHandle; }

    // The item of a reference (kind in the top four bits); only contacts (kind 0x8) are items of
    // this model. Nothing (ERROR_NOT_FOUND) when no contact has that item number.
    std::unique_ptr<Item> GetItemFromOid(uint32_t itemRef);
    // The item of the contact record `record` whose item number the caller knows (it has just
    // written the record): no look-up. Saving it fails (ERROR_NOT_FOUND) and writes nothing when
    // the record is gone or does not have that item number.
    std::unique_ptr<Item> GetContactItem(CeOid record, uint32_t itemNumber);
    // A new, unsaved item.
    std::unique_ptr<Item> CreateItem(ItemType type);
    // Default folder kFolderInfrared; nothing (ERROR_INVALID_PARAMETER) for any other folder.
    std::unique_ptr<InfraredFolder> GetDefaultFolder(int folder);

    // The device folder where saved appointments are written as .ics files ("\My Documents"
    // unless set).
    void SetCalendarFolder(std::u16string devicePath) { calendarFolder_ = std::move(devicePath); }
    const std::u16string& CalendarFolder() const { return calendarFolder_; }

    // --- For the items ---------------------------------------------------------------------------
    const CeGuid& Volume() const { return volume_; }
    DbHandle Contacts() const { return contacts_; }
    // "Appointments Database", created when the volume has none yet.
    DbHandle Appointments();

private:
    CeOid FindContact(uint32_t itemNumber);
    [[nodiscard]] bool CachedContactMatches(CeOid oid, uint32_t itemNumber);
    void ScanNewContacts(uint32_t wanted);
    void ScanContacts();

    CeGuid volume_;
    DbHandle contacts_ = kInvalidDbHandle;
    DbHandle appointments_ = kInvalidDbHandle;
    std::u16string calendarFolder_ = u"\\My Documents";
    std::unordered_map<uint32_t, CeOid> contactByNumber_;  // a cache, checked before use
    CeOid newestScanned_ = 0;  // the highest record identifier the cache has seen
};

}  // namespace plat::pom
