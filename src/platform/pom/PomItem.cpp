#include "platform/pom/PomItem.h"

#include <cstdio>

#include "platform/pom/AppointmentStore.h"
#include "platform/pom/CategoryDatabases.h"
#include "platform/pom/DeviceFiles.h"
#include "platform/pom/ICalendar.h"
#include "platform/pom/PomApplication.h"
#include "platform/pom/ProgramLog.h"

namespace plat::pom {
namespace {

std::u16string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string GuidHex(const CeGuid& guid) {
    constexpr std::u16string_view digits = u"0123456789abcdef";
    std::u16string text;
    for (uint8_t b : guid.bytes) {
        text += digits[b >> 4];
        text += digits[b & 0xF];
    }
    return text;
}

PropVal NotFound(uint32_t propId) {
    PropVal prop;
    prop.propId = propId;
    prop.flags = CEDB_PROPNOTFOUND;
    return prop;
}

}  // namespace

bool Item::Save() {
    if (type_ == ItemType::Appointment) return SaveAppointment();
    if (oid_ == 0) {
        SetLastError(ERROR_NOT_SUPPORTED, "a new contact is stored through the contacts database");
        return false;
    }
    return TouchContact();
}

bool Item::TouchContact() {
    const DbHandle db = app_.Contacts();
    constexpr uint32_t kItemNumber = MakePropId(kContactRecordId, CEVT_AUTO_I4);
    std::vector<PropVal> props;
    if (SeekDatabase(db, SeekType::Oid, oid_) != oid_ || ReadRecordProps(db, std::span(&kItemNumber, 1), props) != oid_) {
        return false;
    }
    // The item number goes back as it is (the store keeps auto-increment values anyway): the write
    // changes no value and is what tells every program of the device.
    return WriteRecordProps(db, oid_, props) == oid_;
}

bool Item::SaveAppointment() {
    const DbHandle db = app_.Appointments();
    if (db == kInvalidDbHandle) return false;
    const uint64_t now = FileTimeNow();
    if (start_ == 0) {
        start_ = NextWholeHour(now);
        end_ = start_ + kFileTimeHour;
    }
    const uint32_t reminder = reminderMinutes_ > 0 ? static_cast<uint32_t>(reminderMinutes_) : 0;
    const CeOid written = WriteAppointment(db, oid_, {subject_, body_, start_, end_, reminder});
    if (written == 0) return false;
    oid_ = written;
    const IcsEvent event{Hex(oid_) + u"-" + GuidHex(app_.Volume()) + u"@brevane",
                         subject_, body_, start_, end_, now, static_cast<int>(reminder)};
    if (!WriteDeviceFile(IcsPath(), FormatIcs(event))) {
        SetLastError(ERROR_GEN_FAILURE, "the calendar file could not be written");
        return false;
    }
    return true;
}

std::u16string Item::IcsPath() const {
    return app_.CalendarFolder() + u"\\Appointment " + Hex(oid_) + u".ics";
}

bool Item::Delete() {
    if (oid_ == 0) {
        SetLastError(ERROR_NOT_FOUND, "the item was never saved");
        return false;
    }
    if (type_ == ItemType::Contact) return DeleteRecord(app_.Contacts(), oid_);
    if (!DeleteRecord(app_.Appointments(), oid_)) return false;
    RemoveDeviceFile(IcsPath());
    return true;
}

bool Item::Display() {
    const bool appointment = type_ == ItemType::Appointment;
    const std::u16string args[] = {appointment ? u"Appointment" : u"Contact",
                                   appointment ? subject_ : Hex(oid_)};
    return LogLibraryCall(kLibraryName, u"Display", args);
}

bool Item::GetProps(std::span<const uint32_t> propIds, std::vector<PropVal>& props) {
    props.clear();
    for (const uint32_t propId : propIds) {
        if (propId == kPropItemCategories) {
            if (!EnsureCategoryDatabases(app_.Volume())) return false;
            std::u16string text;
            if (type_ == ItemType::Contact && itemNumber_ != 0) {
                const auto names = ItemCategoriesText(app_.Volume(), (kKindContact << kItemKindShift) | itemNumber_);
                if (!names) return false;
                text = *names;
            }
            props.push_back(PropVal::Text(propId, text));
            continue;
        }
        std::vector<PropVal> one;
        const DbHandle db = app_.Contacts();
        if (type_ == ItemType::Contact && oid_ != 0 && SeekDatabase(db, SeekType::Oid, oid_) == oid_ &&
            ReadRecordProps(db, std::span(&propId, 1), one) == oid_ && one.size() == 1) {
            props.push_back(std::move(one[0]));
        } else {
            props.push_back(NotFound(propId));
        }
    }
    return true;
}

}  // namespace plat::pom
