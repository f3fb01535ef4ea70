// CardExport.dll: a context-menu add-in of the contacts program. Its command writes the selected
// contacts as one vCard file into \My Documents ("Contacts.vcf", or "Contacts (2).vcf" and so on
// when that name is taken: an existing file is never replaced) and records the call in the
// device's program log.
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "categories/manager/CategoryManager.h"
#include "ext/addins/AddinAbi.h"
#include "platform/device/Device.h"
#include "platform/pom/DeviceFiles.h"
#include "platform/pom/ProgramLog.h"
#include "platform/programs/DeviceLibrary.h"
#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "store/vcard/ContactTransfer.h"

#define ADDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::u16string_view kLibraryName = u"CardExport.dll";
constexpr std::u16string_view kFolder = u"\\My Documents\\";
constexpr int32_t kFailed = plat::kShellFail;

// The vCards of the contacts that can be read, in the order given.
std::string Cards(const uint32_t* oids, uint32_t count, uint32_t& written) {
    std::string cards;
    written = 0;
    CCeDBDatabase contacts;
    if (!contacts.Open(kContactsDbName)) return cards;
    CategoryManager* categories = CategoryManager::Instance();
    for (uint32_t i = 0; i < count; ++i) {
        CCeDBRecord record;
        if (!contacts.SeekToRecord(oids[i]) || contacts.Read(record) == 0) continue;
        Contact contact;
        contact.LoadFromRecord(record);
        Array<Str> names;
        // A card without the contact's categories would lose them: such a contact is not written.
        if (categories != nullptr && !categories->GetContactCategoryNames(contact, names)) continue;
        cards += ExportContact(contact, std::vector<Str>(names.begin(), names.end()));
        ++written;
    }
    return cards;
}

// "\My Documents\Contacts.vcf", or the first of "Contacts (2).vcf", "Contacts (3).vcf" ... that
// does not exist yet.
std::u16string FreeFileName() {
    std::u16string path = std::u16string(kFolder) + u"Contacts.vcf";
    for (int n = 2; plat::pom::DeviceFileExists(path); ++n) {
        const std::string number = std::to_string(n);
        path = std::u16string(kFolder) + u"Contacts (" + std::u16string(number.begin(), number.end()) + u").vcf";
    }
    return path;
}

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace

// Called by the loader with the root of the device that loads the add-in.
ADDIN_EXPORT void BrevaneAttachDevice(const char* root) {
    try {
        plat::SetCurrentDevice(std::make_unique<plat::Device>(root));
    } catch (const std::exception&) {
        plat::SetCurrentDevice(nullptr);
    }
}

ADDIN_EXPORT int32_t CePimCommand(uint32_t ownerWindow, uint32_t itemType, uint32_t count, const uint32_t* oids,
                                  void* reserved) {
    static_assert(std::is_same_v<decltype(CePimCommand), CePimCommandFunction>);
    (void)ownerWindow;
    (void)reserved;
    if (!plat::HasCurrentDevice()) return kFailed;
    if (itemType != PIM_ADDIN_ITEM_CONTACTS || count == 0 || oids == nullptr) return plat::kShellInvalidArgument;
    uint32_t written = 0;
    const std::string cards = Cards(oids, count, written);
    if (written == 0) return kFailed;
    const std::u16string path = FreeFileName();
    if (!plat::pom::WriteDeviceFile(path, cards)) return kFailed;
    const std::u16string args[] = {Decimal(written), path};
    (void)plat::LogLibraryCall(kLibraryName, u"CePimCommand", args);  // a log line lost loses no work
    return plat::kShellOk;
}
