#include "store/contact/ContactFields.h"

#include <algorithm>

#include "core/res/ResourceStrings.h"

namespace {

using K = FieldKind;
using G = FieldGroup;
constexpr EditorRole E = EditorRole::Edited;
constexpr EditorRole P = EditorRole::Kept;

// Columns: id, property, kind, label (a string resource), group, template name, its label, entry,
// order, address slot, card property and its place among them, phone types, table column,
// command-line name, phone, editor.
// One line a field, so that the table reads as one.
// clang-format off
constexpr FieldInfo kTable[] = {
    {kFieldEmail1, 0x90, K::Text, 44010, G::Email, 41163, 41333, 0, 0, -1, {}, -1, {}, {}, "email", false, E},
    {kFieldEmail2, 0x91, K::Text, 44011, G::Email, 41164, 41334, 1, 1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldEmail3, 0x92, K::Text, 44012, G::Email, 41165, 41335, 2, 2, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherCountry, 0xE5, K::Text, 44013, G::Address, 41174, 41346, 2, 2, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherPostalCode, 0xE4, K::Text, 44014, G::Address, 41174, 41346, 2, 2, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherState, 0xE3, K::Text, 44015, G::Address, 41174, 41346, 2, 2, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherCity, 0xE2, K::Text, 44016, G::Address, 41174, 41346, 2, 2, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherStreet, 0xE1, K::Text, 44017, G::Address, 41174, 41346, 2, 2, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkCountry, 0xC5, K::Text, 44018, G::Address, 41172, 41344, 0, 1, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkPostalCode, 0xC4, K::Text, 44019, G::Address, 41172, 41344, 0, 1, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkState, 0xC3, K::Text, 44020, G::Address, 41172, 41344, 0, 1, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkCity, 0xC2, K::Text, 44021, G::Address, 41172, 41344, 0, 1, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkStreet, 0xC1, K::Text, 44022, G::Address, 41172, 41344, 0, 1, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkPhone, 0x97, K::Text, 44023, G::Phone, 41155, 41323, 0, 0, -1, {}, -1, u"WORK,VOICE", {}, "work-phone", true, E},
    {kFieldWorkPhone2, 0x98, K::Text, 44023, G::Phone, 41155, 41323, 0, 1, -1, {}, -1, u"WORK,VOICE", {}, {}, true, E},
    {kFieldWorkFax, 0x9B, K::Text, 44024, G::Phone, 41197, 41326, 4, 6, -1, {}, -1, u"WORK,FAX", {}, {}, true, E},
    {kFieldHomeCountry, 0xD5, K::Text, 44025, G::Address, 41173, 41345, 1, 0, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldHomePostalCode, 0xD4, K::Text, 44026, G::Address, 41173, 41345, 1, 0, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeState, 0xD3, K::Text, 44027, G::Address, 41173, 41345, 1, 0, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeCity, 0xD2, K::Text, 44028, G::Address, 41173, 41345, 1, 0, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeStreet, 0xD1, K::Text, 44029, G::Address, 41173, 41345, 1, 0, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldHomePhone, 0x99, K::Text, 44030, G::Phone, 41156, 41360, 1, 2, -1, {}, -1, u"HOME,VOICE", {}, "home-phone", true, E},
    {kFieldHomePhone2, 0x9A, K::Text, 44030, G::Phone, 41156, 41360, 1, 3, -1, {}, -1, u"HOME,VOICE", {}, {}, true, E},
    {kFieldHomeFax, 0x9C, K::Text, 44031, G::Phone, 41158, 41325, 3, 5, -1, {}, -1, u"HOME,FAX", {}, {}, true, E},
    {kFieldTitle, 0x81, K::Text, 44032, G::Name, 41183, 41314, 1, 0, -1, {}, -1, {}, {}, "title", false, E},
    {kFieldSuffix, 0x85, K::Text, 44033, G::Name, 41151, 41318, 5, 4, -1, {}, -1, {}, {}, "suffix", false, E},
    {kFieldFirst, 0x82, K::Text, 44034, G::Name, 41148, 41315, 2, 1, -1, {}, -1, {}, {}, "first", false, E},
    {kFieldMiddle, 0x83, K::Text, 44035, G::Name, 41149, 41316, 3, 2, -1, {}, -1, {}, {}, "middle", false, E},
    {kFieldLast, 0x84, K::Text, 44036, G::Name, 41150, 41317, 4, 3, -1, {}, -1, {}, {}, "last", false, E},
    {kFieldSpouse, 0xA5, K::Text, 44037, G::People, 41178, 41350, 2, 0, -1, "X-SPOUSE", 2, {}, "Spouse", {}, false, E},
    {kFieldChildren, 0xA6, K::Text, 44038, G::People, 41177, 41349, 1, 2, -1, "X-CHILDREN", 3, {}, "Children", {}, false, E},
    {kFieldPager, 0x9D, K::Text, 44039, G::Phone, 41160, 41328, 6, 7, -1, {}, -1, u"PAGER", {}, {}, true, E},
    {kFieldWeb, 0xA7, K::Text, 44040, G::Web, 41170, 41342, 0, 0, -1, {}, -1, {}, {}, "web", false, E},
    {kFieldCar, 0x9E, K::Text, 44041, G::Phone, 41159, 41327, 5, 8, -1, {}, -1, u"CAR", {}, {}, true, E},
    {kFieldRadio, 0x9F, K::Text, 44042, G::Phone, 41161, 41329, 7, 9, -1, {}, -1, u"X-RADIO", {}, {}, true, E},
    {kFieldMobile, 0x96, K::Text, 44043, G::Phone, 41157, 41324, 2, 4, -1, {}, -1, u"CELL,VOICE", {}, "mobile", true, E},
    {kFieldOffice, 0x8E, K::Text, 44044, G::Office, 41171, 41343, 0, 0, -1, "X-BREVANE-OFFICE", 6, {}, "Office Location", {}, false, E},
    {kFieldDepartment, 0x8B, K::Text, 44045, G::Name, 41154, 41321, 8, 7, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldJobTitle, 0x8C, K::Text, 44046, G::Name, 41152, 41319, 6, 5, -1, "TITLE", 0, {}, "Job Title", {}, false, E},
    {kFieldCompany, 0x8A, K::Text, 44047, G::Name, 41153, 41320, 7, 6, -1, {}, -1, {}, {}, "company", false, E},
    {kFieldAssistantPhone, 0xA1, K::Text, 44048, G::Phone, 41162, 41330, 8, 10, -1, {}, -1, u"X-ASSISTANT", {}, {}, true, E},
    {kFieldAssistant, 0x8F, K::Text, 44049, G::People, 41176, 41348, 0, 1, -1, "X-ASSISTANT", 4, {}, "Assistant's Name", {}, false, E},
    {kFieldFileAs, 0x80, K::Text, 44050, G::Name, 41279, 41322, 9, 8, -1, "X-BREVANE-FILE-AS", 7, {}, "File As", "fileas", false, E},
    {kFieldManager, 0x8D, K::Text, 44051, G::People, 41375, 41376, 4, 3, -1, "X-MANAGER", 5, {}, "Manager's Name", {}, false, E},
    {kFieldText87, 0x87, K::Text, 44052, G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-87", 12, {}, {}, {}, false, P},
    {kFieldText88, 0x88, K::Text, 44052, G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-88", 13, {}, {}, {}, false, P},
    {kFieldText89, 0x89, K::Text, 44052, G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-89", 14, {}, {}, {}, false, P},
    {kFieldText101, 0x101, K::Text, 44052, G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-101", 15, {}, {}, {}, false, P},
    {kFieldRingtone, 0xA8, K::Text, 44053, G::Links, 41277, 41354, 0, 0, -1, "X-BREVANE-RINGTONE", 8, {}, {}, {}, false, E},
    {kFieldNickname, 0x86, K::Text, 44054, G::Other, 41278, 41356, 0, 0, -1, "NICKNAME", 1, {}, "Nickname", {}, false, E},
    {kFieldIm1, 0x93, K::Text, 44055, G::Messaging, 41194, 41336, 0, 0, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldIm2, 0x94, K::Text, 44056, G::Messaging, 41271, 41337, 1, 1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldIm3, 0x95, K::Text, 44057, G::Messaging, 41272, 41338, 2, 2, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomerId, 0xA9, K::Text, 44058, G::Other, 41273, 41358, 2, 2, -1, "X-BREVANE-CUSTOMER-ID", 9, {}, "Customer ID", {}, false, E},
    {kFieldGovernmentId, 0xAA, K::Text, 44059, G::Other, 41274, 41359, 3, 3, -1, "X-BREVANE-GOVERNMENT-ID", 10, {}, "Government ID Number", {}, false, E},
    {kFieldCompanyPhone, 0xA0, K::Text, 44047, G::Phone, 41270, 41332, 10, 12, -1, {}, -1, u"MAIN", {}, {}, true, E},
    {kFieldAccount, 0xAB, K::Text, 44060, G::Other, 41275, 41357, 1, 1, -1, "X-BREVANE-ACCOUNT", 11, {}, "Account", {}, false, E},
    {kFieldMms, 0x10A3, K::Text, 44061, G::Phone, 41269, 41331, 9, 11, -1, {}, -1, u"X-MMS", {}, {}, true, E},
    {kFieldBirthday, kPropBirthday, K::Date, 44062, G::Dates, 41180, 41352, 0, 0, -1, {}, -1, {}, {}, "birthday", false, E},
    {kFieldAnniversary, kPropAnniversary, K::Date, 44063, G::Dates, 41181, 41353, 1, 1, -1, {}, -1, {}, {}, "anniversary", false, E},
    {kFieldPicture, kPropPicture, K::Picture, 44064, G::Name, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldNote, kPropNote, K::Note, 44065, G::Note, 0, 0, -1, -1, -1, {}, -1, {}, {}, "note", false, P},
    {kFieldDefaultTag, kPropDefaultTag, K::Number, 44066, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldFlag102, kPropFlag102, K::Flag, 44067, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldSimEntry, kPropSimEntry, K::Flag, 44068, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldRecordId, kPropRecordId, K::RecordId, 44069, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldOid, 0, K::Oid, 44070, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldUid, kPropUid, K::Uid, 44071, G::None, 0, 0, -1, -1, -1, "UID", -1, {}, {}, {}, false, P},
    {kFieldRevision, kPropRevision, K::Revision, 44072, G::None, 0, 0, -1, -1, -1, "REV", -1, {}, {}, {}, false, P},
    {kFieldCustomPhones, kPropNote, K::Further, 44073, G::Phone, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomEmails, kPropNote, K::Further, 44074, G::Email, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomWebPages, kPropNote, K::Further, 44075, G::Web, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomPeople, kPropNote, K::Further, 44076, G::People, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomRingtones, kPropNote, K::Further, 44077, G::Links, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomOthers, kPropNote, K::Further, 44078, G::Other, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomIms, kPropNote, K::Further, 44079, G::Messaging, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomAddresses, kPropNote, K::Further, 44080, G::Address, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomDates, kPropNote, K::Further, 44081, G::Dates, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeAddressFormat, kPropNote, K::Further, 44082, G::Address, 41173, 41345, 1, 0, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldWorkAddressFormat, kPropNote, K::Further, 44083, G::Address, 41172, 41344, 0, 1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldOtherAddressFormat, kPropNote, K::Further, 44084, G::Address, 41174, 41346, 2, 2, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldFourthFormat, kPropNote, K::Further, 44085, G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldCategories, 0, K::Categories, 44086, G::Categories, 41175, 41347, 0, 0, -1, {}, -1, {}, {}, "category", false, P},
};
// clang-format on

constexpr bool IdsInOrder() {
    for (int i = 0; i < kFieldCount; ++i) {
        if (kTable[i].id != i) return false;
    }
    return true;
}
static_assert(std::size(kTable) == kFieldCount && IdsInOrder(),
              "the table lists every field once, by identifier");

constexpr bool TextsFirst() {
    for (int i = 0; i < kFieldCount; ++i) {
        if ((kTable[i].kind == FieldKind::Text) != (i < kTextFieldCount)) return false;
    }
    return true;
}
static_assert(TextsFirst(), "the text fields are the first, in field order");

}  // namespace

std::span<const FieldInfo> ContactFieldTable() { return kTable; }

const FieldInfo& FieldInfoOf(int field) { return kTable[field]; }

Str TextFieldLabel(int field) { return RequireStr(kTable[field].label); }

uint16_t TextFieldProp(int field) { return kTable[field].prop; }

const std::array<int, 13> kPhoneFieldsNamedOrder = {
    kFieldWorkPhone, kFieldHomePhone,  kFieldMobile,     kFieldPager,    kFieldRadio,
    kFieldAssistantPhone, kFieldCar,   kFieldWorkFax,    kFieldWorkPhone2, kFieldHomePhone2,
    kFieldHomeFax,   kFieldCompanyPhone, kFieldMms,
};

const std::array<int, 3> kEmailFields = {kFieldEmail1, kFieldEmail2, kFieldEmail3};

int TextFieldOfProp(uint16_t prop) {
    for (int i = 0; i < kTextFieldCount; ++i) {
        if (kTable[i].prop == prop) return i;
    }
    return -1;
}

bool IsPhoneField(int field) { return field >= 0 && field < kFieldCount && kTable[field].phone; }
