#pragma once
// Values of the platform's contacts object model (the stand-in of this platform, see
// docs/object-model.md): item types, folders, item references and the databases it keeps.
#include <cstdint>
#include <string_view>

#include "platform/objectstore/PropVal.h"

namespace plat::pom {

// Identifiers of the object model's classes and interfaces, as its clients name them.
inline constexpr std::string_view kApplicationClassId = "05058f23-20be-11d2-8f18-0000f87a4335";
inline constexpr std::string_view kApplicationInterfaceId = "05058f22-20be-11d2-8f18-0000f87a4335";
inline constexpr std::string_view kItemInterfaceId = "fb8998d0-38f0-4d12-ac56-4ec8fce9f3d5";

// Item types.
enum class ItemType : int { Appointment = 1, Contact = 2 };

// Default folders.
inline constexpr int kFolderInfrared = 102;

// An item reference: the item kind in the top four bits, the item number below.
inline constexpr uint32_t kItemKindShift = 28;
inline constexpr uint32_t kItemNumberMask = 0x0FFFFFFF;
inline constexpr uint32_t kKindContact = 0x8;

// The item property that holds an item's categories as one text.
inline constexpr uint32_t kPropItemCategories = 0x101A001F;

// The file name under which the object model writes to the program log.
inline constexpr std::u16string_view kLibraryName = u"pimstore.dll";

// Databases.
inline constexpr std::u16string_view kContactsDatabase = u"Contacts Database";
inline constexpr std::u16string_view kAppointmentsDatabase = u"Appointments Database";
inline constexpr uint16_t kContactRecordId = 0x1000;  // a contact's item number (auto-increment)

// Where beamed items are written.
inline constexpr std::u16string_view kBeamFolder = u"\\My Documents\\Beam";

}  // namespace plat::pom
