#include "store/contact/ContactFields.h"

#include <algorithm>

namespace {

using K = FieldKind;
using G = FieldGroup;
constexpr EditorRole E = EditorRole::Edited;
constexpr EditorRole P = EditorRole::Kept;

// Columns: id, property, kind, label, group, template name, its label, entry, order, address slot,
// card property and its place among them, phone types, table column, command-line name, phone,
// editor.
// One line a field, so that the table reads as one.
// clang-format off
constexpr FieldInfo kTable[] = {
    {kFieldEmail1, 0x90, K::Text, u"E-mail", G::Email, 41163, 41333, 0, 0, -1, {}, -1, {}, {}, "email", false, E},
    {kFieldEmail2, 0x91, K::Text, u"E-mail 2", G::Email, 41164, 41334, 1, 1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldEmail3, 0x92, K::Text, u"E-mail 3", G::Email, 41165, 41335, 2, 2, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherCountry, 0xE5, K::Text, u"other address, country", G::Address, 41174, 41346, 2, 2, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherPostalCode, 0xE4, K::Text, u"other address, postal code", G::Address, 41174, 41346, 2, 2, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherState, 0xE3, K::Text, u"other address, state", G::Address, 41174, 41346, 2, 2, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherCity, 0xE2, K::Text, u"other address, city", G::Address, 41174, 41346, 2, 2, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldOtherStreet, 0xE1, K::Text, u"other address, street", G::Address, 41174, 41346, 2, 2, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkCountry, 0xC5, K::Text, u"work address, country", G::Address, 41172, 41344, 0, 1, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkPostalCode, 0xC4, K::Text, u"work address, postal code", G::Address, 41172, 41344, 0, 1, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkState, 0xC3, K::Text, u"work address, state", G::Address, 41172, 41344, 0, 1, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkCity, 0xC2, K::Text, u"work address, city", G::Address, 41172, 41344, 0, 1, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkStreet, 0xC1, K::Text, u"work address, street", G::Address, 41172, 41344, 0, 1, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldWorkPhone, 0x97, K::Text, u"Work phone", G::Phone, 41155, 41323, 0, 0, -1, {}, -1, u"WORK,VOICE", {}, "work-phone", true, E},
    {kFieldWorkPhone2, 0x98, K::Text, u"Work phone", G::Phone, 41155, 41323, 0, 1, -1, {}, -1, u"WORK,VOICE", {}, {}, true, E},
    {kFieldWorkFax, 0x9B, K::Text, u"Work fax", G::Phone, 41197, 41326, 4, 6, -1, {}, -1, u"WORK,FAX", {}, {}, true, E},
    {kFieldHomeCountry, 0xD5, K::Text, u"home address, country", G::Address, 41173, 41345, 1, 0, 4, {}, -1, {}, {}, {}, false, E},
    {kFieldHomePostalCode, 0xD4, K::Text, u"home address, postal code", G::Address, 41173, 41345, 1, 0, 3, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeState, 0xD3, K::Text, u"home address, state", G::Address, 41173, 41345, 1, 0, 2, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeCity, 0xD2, K::Text, u"home address, city", G::Address, 41173, 41345, 1, 0, 1, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeStreet, 0xD1, K::Text, u"home address, street", G::Address, 41173, 41345, 1, 0, 0, {}, -1, {}, {}, {}, false, E},
    {kFieldHomePhone, 0x99, K::Text, u"Home phone", G::Phone, 41156, 41360, 1, 2, -1, {}, -1, u"HOME,VOICE", {}, "home-phone", true, E},
    {kFieldHomePhone2, 0x9A, K::Text, u"Home phone", G::Phone, 41156, 41360, 1, 3, -1, {}, -1, u"HOME,VOICE", {}, {}, true, E},
    {kFieldHomeFax, 0x9C, K::Text, u"Home fax", G::Phone, 41158, 41325, 3, 5, -1, {}, -1, u"HOME,FAX", {}, {}, true, E},
    {kFieldTitle, 0x81, K::Text, u"Title", G::Name, 41183, 41314, 1, 0, -1, {}, -1, {}, {}, "title", false, E},
    {kFieldSuffix, 0x85, K::Text, u"Suffix", G::Name, 41151, 41318, 5, 4, -1, {}, -1, {}, {}, "suffix", false, E},
    {kFieldFirst, 0x82, K::Text, u"First", G::Name, 41148, 41315, 2, 1, -1, {}, -1, {}, {}, "first", false, E},
    {kFieldMiddle, 0x83, K::Text, u"Middle", G::Name, 41149, 41316, 3, 2, -1, {}, -1, {}, {}, "middle", false, E},
    {kFieldLast, 0x84, K::Text, u"Last", G::Name, 41150, 41317, 4, 3, -1, {}, -1, {}, {}, "last", false, E},
    {kFieldSpouse, 0xA5, K::Text, u"Spouse", G::People, 41178, 41350, 2, 0, -1, "X-SPOUSE", 2, {}, "Spouse", {}, false, E},
    {kFieldChildren, 0xA6, K::Text, u"Children", G::People, 41177, 41349, 1, 2, -1, "X-CHILDREN", 3, {}, "Children", {}, false, E},
    {kFieldPager, 0x9D, K::Text, u"Pager", G::Phone, 41160, 41328, 6, 7, -1, {}, -1, u"PAGER", {}, {}, true, E},
    {kFieldWeb, 0xA7, K::Text, u"Web", G::Web, 41170, 41342, 0, 0, -1, {}, -1, {}, {}, "web", false, E},
    {kFieldCar, 0x9E, K::Text, u"Car", G::Phone, 41159, 41327, 5, 8, -1, {}, -1, u"CAR", {}, {}, true, E},
    {kFieldRadio, 0x9F, K::Text, u"Radio", G::Phone, 41161, 41329, 7, 9, -1, {}, -1, u"X-RADIO", {}, {}, true, E},
    {kFieldMobile, 0x96, K::Text, u"Mobile", G::Phone, 41157, 41324, 2, 4, -1, {}, -1, u"CELL,VOICE", {}, "mobile", true, E},
    {kFieldOffice, 0x8E, K::Text, u"Office", G::Office, 41171, 41343, 0, 0, -1, "X-BREVANE-OFFICE", 6, {}, "Office Location", {}, false, E},
    {kFieldDepartment, 0x8B, K::Text, u"Department", G::Name, 41154, 41321, 8, 7, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldJobTitle, 0x8C, K::Text, u"Job Title", G::Name, 41152, 41319, 6, 5, -1, "TITLE", 0, {}, "Job Title", {}, false, E},
    {kFieldCompany, 0x8A, K::Text, u"Company", G::Name, 41153, 41320, 7, 6, -1, {}, -1, {}, {}, "company", false, E},
    {kFieldAssistantPhone, 0xA1, K::Text, u"Assistant phone", G::Phone, 41162, 41330, 8, 10, -1, {}, -1, u"X-ASSISTANT", {}, {}, true, E},
    {kFieldAssistant, 0x8F, K::Text, u"Assistant", G::People, 41176, 41348, 0, 1, -1, "X-ASSISTANT", 4, {}, "Assistant's Name", {}, false, E},
    {kFieldFileAs, 0x80, K::Text, u"File As", G::Name, 41279, 41322, 9, 8, -1, "X-BREVANE-FILE-AS", 7, {}, "File As", "fileas", false, E},
    {kFieldManager, 0x8D, K::Text, u"Manager", G::People, 41375, 41376, 4, 3, -1, "X-MANAGER", 5, {}, "Manager's Name", {}, false, E},
    {kFieldText87, 0x87, K::Text, u"text", G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-87", 12, {}, {}, {}, false, P},
    {kFieldText88, 0x88, K::Text, u"text", G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-88", 13, {}, {}, {}, false, P},
    {kFieldText89, 0x89, K::Text, u"text", G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-89", 14, {}, {}, {}, false, P},
    {kFieldText101, 0x101, K::Text, u"text", G::None, 0, 0, -1, -1, -1, "X-BREVANE-PROP-101", 15, {}, {}, {}, false, P},
    {kFieldRingtone, 0xA8, K::Text, u"Ringtone", G::Links, 41277, 41354, 0, 0, -1, "X-BREVANE-RINGTONE", 8, {}, {}, {}, false, E},
    {kFieldNickname, 0x86, K::Text, u"Nickname", G::Other, 41278, 41356, 0, 0, -1, "NICKNAME", 1, {}, "Nickname", {}, false, E},
    {kFieldIm1, 0x93, K::Text, u"IM", G::Messaging, 41194, 41336, 0, 0, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldIm2, 0x94, K::Text, u"IM 2", G::Messaging, 41271, 41337, 1, 1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldIm3, 0x95, K::Text, u"IM 3", G::Messaging, 41272, 41338, 2, 2, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomerId, 0xA9, K::Text, u"Cust.ID", G::Other, 41273, 41358, 2, 2, -1, "X-BREVANE-CUSTOMER-ID", 9, {}, "Customer ID", {}, false, E},
    {kFieldGovernmentId, 0xAA, K::Text, u"Govt.ID", G::Other, 41274, 41359, 3, 3, -1, "X-BREVANE-GOVERNMENT-ID", 10, {}, "Government ID Number", {}, false, E},
    {kFieldCompanyPhone, 0xA0, K::Text, u"Company", G::Phone, 41270, 41332, 10, 12, -1, {}, -1, u"MAIN", {}, {}, true, E},
    {kFieldAccount, 0xAB, K::Text, u"Account", G::Other, 41275, 41357, 1, 1, -1, "X-BREVANE-ACCOUNT", 11, {}, "Account", {}, false, E},
    {kFieldMms, 0x10A3, K::Text, u"MMS", G::Phone, 41269, 41331, 9, 11, -1, {}, -1, u"X-MMS", {}, {}, true, E},
    {kFieldBirthday, kPropBirthday, K::Date, u"Birthday", G::Dates, 41180, 41352, 0, 0, -1, {}, -1, {}, {}, "birthday", false, E},
    {kFieldAnniversary, kPropAnniversary, K::Date, u"Anniversary", G::Dates, 41181, 41353, 1, 1, -1, {}, -1, {}, {}, "anniversary", false, E},
    {kFieldPicture, kPropPicture, K::Picture, u"picture", G::Name, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldNote, kPropNote, K::Note, u"note", G::Note, 0, 0, -1, -1, -1, {}, -1, {}, {}, "note", false, P},
    {kFieldDefaultTag, kPropDefaultTag, K::Number, u"default dial tag", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldFlag102, kPropFlag102, K::Flag, u"platform flag", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldSimEntry, kPropSimEntry, K::Flag, u"SIM card entry", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldRecordId, kPropRecordId, K::RecordId, u"record identifier", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldOid, 0, K::Oid, u"object identifier", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldUid, kPropUid, K::Uid, u"unique identifier", G::None, 0, 0, -1, -1, -1, "UID", -1, {}, {}, {}, false, P},
    {kFieldRevision, kPropRevision, K::Revision, u"last change", G::None, 0, 0, -1, -1, -1, "REV", -1, {}, {}, {}, false, P},
    {kFieldCustomPhones, kPropNote, K::Further, u"further phones", G::Phone, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomEmails, kPropNote, K::Further, u"further e-mail addresses", G::Email, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomWebPages, kPropNote, K::Further, u"further web pages", G::Web, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomPeople, kPropNote, K::Further, u"further people", G::People, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomRingtones, kPropNote, K::Further, u"further links", G::Links, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomOthers, kPropNote, K::Further, u"further other values", G::Other, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomIms, kPropNote, K::Further, u"further messaging", G::Messaging, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomAddresses, kPropNote, K::Further, u"further addresses", G::Address, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldCustomDates, kPropNote, K::Further, u"further dates", G::Dates, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, E},
    {kFieldHomeAddressFormat, kPropNote, K::Further, u"home address format", G::Address, 41173, 41345, 1, 0, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldWorkAddressFormat, kPropNote, K::Further, u"work address format", G::Address, 41172, 41344, 0, 1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldOtherAddressFormat, kPropNote, K::Further, u"other address format", G::Address, 41174, 41346, 2, 2, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldFourthFormat, kPropNote, K::Further, u"fourth format word", G::None, 0, 0, -1, -1, -1, {}, -1, {}, {}, {}, false, P},
    {kFieldCategories, 0, K::Categories, u"categories", G::Categories, 41175, 41347, 0, 0, -1, {}, -1, {}, {}, "category", false, P},
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

std::u16string_view TextFieldLabel(int field) { return kTable[field].label; }

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
