#pragma once
// The one table of a contact's fields: every value a contact holds, with its property number, its
// kind, its label, the group the view and the editor show it in, the template names and labels it
// is stored under, its card and table names, whether it is a phone, and what the editor does with
// it. The record mapping, the view, the editor, the template, the cards, the command line and the
// word index all read it. docs/contact-record.md shows the same table.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/str/Str.h"

// Property numbers (the high 16 bits of a property identifier) of the non-text properties.
inline constexpr uint16_t kPropNote = 0x1E;         // note data (block, written as a stream)
inline constexpr uint16_t kPropBirthday = 0xF0;     // file time
inline constexpr uint16_t kPropAnniversary = 0xF1;  // file time
inline constexpr uint16_t kPropDefaultTag = 0xF8;   // unsigned 32-bit: the default dial tag
inline constexpr uint16_t kPropPicture = 0xFF;      // block, written as a stream: an image file
inline constexpr uint16_t kPropFlag102 = 0x102;     // unsigned 32-bit flag of the platform
inline constexpr uint16_t kPropSimEntry = 0x103;    // unsigned 32-bit: not 0 for a SIM card entry
inline constexpr uint16_t kPropRecordId = 0x1000;   // record identifier value, numbered by the store
inline constexpr uint16_t kPropUid = 0x4000;        // text: the contact's unique identifier
inline constexpr uint16_t kPropRevision = 0x4001;   // file time: when the contact last changed

// The record identifier value's type: a 32-bit number the store assigns when the record is first
// written (the item number of the contact).
inline constexpr uint16_t kRecordIdType = 0x66;

// A database-level flag: when the open contacts database carries it, saves write 0x102 = 0.
inline constexpr uint32_t kDatabaseFlag102 = 0x01020013;

// Field identifiers. The text fields come first, numbered in field order (field i is the i-th
// text property of the record); the other values follow.
enum ContactField : int {
    kFieldEmail1 = 0,
    kFieldEmail2 = 1,
    kFieldEmail3 = 2,
    kFieldOtherCountry = 3,
    kFieldOtherPostalCode = 4,
    kFieldOtherState = 5,
    kFieldOtherCity = 6,
    kFieldOtherStreet = 7,
    kFieldWorkCountry = 8,
    kFieldWorkPostalCode = 9,
    kFieldWorkState = 10,
    kFieldWorkCity = 11,
    kFieldWorkStreet = 12,
    kFieldWorkPhone = 13,
    kFieldWorkPhone2 = 14,
    kFieldWorkFax = 15,
    kFieldHomeCountry = 16,
    kFieldHomePostalCode = 17,
    kFieldHomeState = 18,
    kFieldHomeCity = 19,
    kFieldHomeStreet = 20,
    kFieldHomePhone = 21,
    kFieldHomePhone2 = 22,
    kFieldHomeFax = 23,
    kFieldTitle = 24,
    kFieldSuffix = 25,
    kFieldFirst = 26,
    kFieldMiddle = 27,
    kFieldLast = 28,
    kFieldSpouse = 29,
    kFieldChildren = 30,
    kFieldPager = 31,
    kFieldWeb = 32,
    kFieldCar = 33,
    kFieldRadio = 34,
    kFieldMobile = 35,
    kFieldOffice = 36,
    kFieldDepartment = 37,
    kFieldJobTitle = 38,
    kFieldCompany = 39,
    kFieldAssistantPhone = 40,
    kFieldAssistant = 41,
    kFieldFileAs = 42,
    kFieldManager = 43,
    kFieldText87 = 44,
    kFieldText88 = 45,
    kFieldText89 = 46,
    kFieldText101 = 47,
    kFieldRingtone = 48,
    kFieldNickname = 49,
    kFieldIm1 = 50,
    kFieldIm2 = 51,
    kFieldIm3 = 52,
    kFieldCustomerId = 53,
    kFieldGovernmentId = 54,
    kFieldCompanyPhone = 55,
    kFieldAccount = 56,
    kFieldMms = 57,
    // The values that are not text properties.
    kFieldBirthday,
    kFieldAnniversary,
    kFieldPicture,
    kFieldNote,
    kFieldDefaultTag,
    kFieldFlag102,
    kFieldSimEntry,
    kFieldRecordId,
    kFieldOid,
    kFieldUid,
    kFieldRevision,
    // The further values, kept in the embedded block of the note property.
    kFieldCustomPhones,
    kFieldCustomEmails,
    kFieldCustomWebPages,
    kFieldCustomPeople,
    kFieldCustomRingtones,
    kFieldCustomOthers,
    kFieldCustomIms,
    kFieldCustomAddresses,
    kFieldCustomDates,
    kFieldHomeAddressFormat,
    kFieldWorkAddressFormat,
    kFieldOtherAddressFormat,
    kFieldFourthFormat,
    // The category identifiers, kept in the platform's category databases.
    kFieldCategories,
};
inline constexpr int kFieldCount = kFieldCategories + 1;
inline constexpr int kTextFieldCount = 58;

enum class FieldKind : uint8_t {
    Text,        // a text property
    Date,        // a file-time property, 0 for none
    Picture,     // the picture property
    Note,        // the note data of the note property
    Number,      // an unsigned 32-bit property
    Flag,        // an unsigned 32-bit property read as set or not
    RecordId,    // the number the store assigns
    Oid,         // the record's object identifier, not a property
    Uid,         // the unique identifier (text)
    Revision,    // the time of the last change (file time)
    Further,     // a list of further values or a format word, in the note's embedded block
    Categories,  // the category identifiers
};

// The groups a value is shown and edited in: the template's groups (numbered as they are), the
// note, and none for the values the form does not show.
enum class FieldGroup : uint8_t {
    Name = 0,
    Phone,
    Email,
    Messaging,
    Web,
    Office,
    Address,
    Categories,
    People,
    Dates,
    Links,
    Other,
    Note,
    None,
};

// What the editor does with a value. Its commit empties a copy of the contact of every Edited
// value and lets the blocks write them back; Kept values stay as the copy has them (a block may
// still write one: the address format of an address with a row, the categories of a shown block).
enum class EditorRole : uint8_t { Edited, Kept };

struct FieldInfo {
    int id;         // ContactField
    uint16_t prop;  // property number; 0 for the object identifier
    FieldKind kind;
    uint32_t label;  // string resource: what the field holds, the label its value gets where it has no other
    FieldGroup group;
    uint32_t name;           // string resource of the template's built-in name it is stored under; 0: none
    uint32_t templateLabel;  // string resource of that name's label in the template
    int8_t entry;            // the built-in name's position among its group's names; -1: none
    int8_t order;            // position in its group's list of values (the view and the editor)
    int8_t slot;             // address parts: street, city, state, postal code, country (0 to 4)
    std::string_view vcard;  // the card property written for a field that has one of its own
    int8_t cardOrder;        // where a card has that property among the others of their kind
    std::u16string_view phoneTypes;  // phones: the TYPE values the number is written with
    std::string_view csv;            // the column of a contacts table read into its card property
    std::string_view cli;            // the command line's FIELD name
    bool phone;
    EditorRole editor;
};

// Every field, in identifier order: ContactFieldTable()[id].id == id.
std::span<const FieldInfo> ContactFieldTable();
const FieldInfo& FieldInfoOf(int field);

// The label of text field `field` (the table's string resource).
Str TextFieldLabel(int field);
// The property number of text field `field`.
uint16_t TextFieldProp(int field);
// The text field whose property number is `prop`, -1 when none is.
int TextFieldOfProp(uint16_t prop);

// The phone fields in the order their numbers are taken for the named values (and offered as a
// contact's numbers), and the e-mail fields.
extern const std::array<int, 13> kPhoneFieldsNamedOrder;
extern const std::array<int, 3> kEmailFields;

// True for a phone field.
[[nodiscard]] bool IsPhoneField(int field);
