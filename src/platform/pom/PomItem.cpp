#include "platform/pom/PomItem.h"

#include <algorithm>
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

// Text properties of a contact record that make its name.
constexpr uint32_t kPropFileAs = MakePropId(0x80, CEVT_LPWSTR);
constexpr uint32_t kPropTitle = MakePropId(0x81, CEVT_LPWSTR);
constexpr uint32_t kPropFirst = MakePropId(0x82, CEVT_LPWSTR);
constexpr uint32_t kPropMiddle = MakePropId(0x83, CEVT_LPWSTR);
constexpr uint32_t kPropLast = MakePropId(0x84, CEVT_LPWSTR);
constexpr uint32_t kPropSuffix = MakePropId(0x85, CEVT_LPWSTR);
constexpr uint32_t kPropCompany = MakePropId(0x8A, CEVT_LPWSTR);

// The record's text property `propId` without blanks at either end; empty when it has none.
std::u16string TrimmedText(const std::vector<PropVal>& props, uint32_t propId) {
    for (const PropVal& prop : props) {
        if (prop.propId != propId || (prop.flags & CEDB_PROPNOTFOUND) != 0) continue;
        const size_t first = prop.text.find_first_not_of(u" \t\r\n");
        if (first == std::u16string::npos) return {};
        return prop.text.substr(first, prop.text.find_last_not_of(u" \t\r\n") - first + 1);
    }
    return {};
}

// The name the model files a contact under when it was saved without one: "Last, First", else the
// first of First, Company, Middle, Title and Suffix that is there.
std::u16string DefaultFileAs(const std::vector<PropVal>& props) {
    const std::u16string last = TrimmedText(props, kPropLast);
    const std::u16string first = TrimmedText(props, kPropFirst);
    if (!last.empty()) return first.empty() ? last : last + u", " + first;
    for (const uint32_t propId : {kPropFirst, kPropCompany, kPropMiddle, kPropTitle, kPropSuffix}) {
        std::u16string text = TrimmedText(props, propId);
        if (!text.empty()) return text;
    }
    return {};
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

// The write changes no value but the File As of a contact saved without one (the platform's own
// store files every item it saves), and is what tells every program of the device: only the texts
// the File As comes from are read, and one property goes back. A record that no longer has the
// item's number is another contact's (or a reused record): it is left alone.
bool Item::TouchContact() {
    const DbHandle db = app_.Contacts();
    constexpr uint32_t kItemNumber = MakePropId(kContactRecordId, CEVT_AUTO_I4);
    constexpr uint32_t kRead[] = {kPropFileAs, kPropLast, kPropFirst, kPropCompany, kPropMiddle, kPropTitle, kPropSuffix,
                                  kItemNumber};
    std::vector<PropVal> props;
    if (SeekDatabase(db, SeekType::Oid, oid_) != oid_ || ReadRecordProps(db, kRead, props) != oid_) return false;
    PropVal written = props.back();  // the item number, as it is (the store keeps it anyway)
    if ((written.flags & CEDB_PROPNOTFOUND) != 0 || written.u32 != itemNumber_) {
        SetLastError(ERROR_NOT_FOUND, "the record is no longer this contact");
        return false;
    }
    if ((props.front().flags & CEDB_PROPNOTFOUND) == 0 && !props.front().text.empty()) {
        written = props.front();
    } else if (std::u16string name = DefaultFileAs(props); !name.empty()) {
        written = PropVal::Text(kPropFileAs, std::move(name));
    }
    return WriteRecordProps(db, oid_, std::span(&written, 1)) == oid_;
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
    (void)RemoveDeviceFile(IcsPath());  // the record is gone; a file left behind belongs to none
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
