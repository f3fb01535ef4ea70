#pragma once
// The properties that make up a contact record of "Contacts Database": the 58 text fields in
// field order, the other properties, and the lists of fields the rest of the system walks.
// docs/contact-record.md shows the same table.
#include <array>
#include <cstdint>
#include <span>

// Property numbers (the high 16 bits of a property identifier) of the non-text properties.
inline constexpr uint16_t kPropNote = 0x1E;         // note data (block, written as a stream)
inline constexpr uint16_t kPropBirthday = 0xF0;     // file time
inline constexpr uint16_t kPropAnniversary = 0xF1;  // file time
inline constexpr uint16_t kPropDefaultTag = 0xF8;   // unsigned 32-bit: the default dial tag
inline constexpr uint16_t kPropPicture = 0xFF;      // block, written as a stream: an image file
inline constexpr uint16_t kPropFlag102 = 0x102;     // unsigned 32-bit flag of the platform
inline constexpr uint16_t kPropSimEntry = 0x103;    // unsigned 32-bit: not 0 for a SIM card entry
inline constexpr uint16_t kPropRecordId = 0x1000;   // record identifier value, numbered by the store

// The record identifier value's type: a 32-bit number the store assigns when the record is first
// written (the item number of the contact).
inline constexpr uint16_t kRecordIdType = 0x66;

// A database-level flag: when the open contacts database carries it, saves write 0x102 = 0.
inline constexpr uint32_t kDatabaseFlag102 = 0x01020013;

struct ContactTextField {
    uint16_t prop;        // property number; the value type is always text
    const char16_t* label;  // the label the editor and view show, or what the field holds
};

inline constexpr int kTextFieldCount = 58;

// Field indices that other code names.
enum ContactField : int {
    kFieldEmail1 = 0, kFieldEmail2 = 1, kFieldEmail3 = 2,
    kFieldOtherCountry = 3, kFieldOtherPostalCode = 4, kFieldOtherState = 5, kFieldOtherCity = 6,
    kFieldOtherStreet = 7,
    kFieldWorkCountry = 8, kFieldWorkPostalCode = 9, kFieldWorkState = 10, kFieldWorkCity = 11,
    kFieldWorkStreet = 12,
    kFieldWorkPhone = 13, kFieldWorkPhone2 = 14, kFieldWorkFax = 15,
    kFieldHomeCountry = 16, kFieldHomePostalCode = 17, kFieldHomeState = 18, kFieldHomeCity = 19,
    kFieldHomeStreet = 20,
    kFieldHomePhone = 21, kFieldHomePhone2 = 22, kFieldHomeFax = 23,
    kFieldTitle = 24, kFieldSuffix = 25, kFieldFirst = 26, kFieldMiddle = 27, kFieldLast = 28,
    kFieldSpouse = 29, kFieldChildren = 30, kFieldPager = 31, kFieldWeb = 32, kFieldCar = 33,
    kFieldRadio = 34, kFieldMobile = 35, kFieldOffice = 36, kFieldDepartment = 37,
    kFieldJobTitle = 38, kFieldCompany = 39, kFieldAssistantPhone = 40, kFieldAssistant = 41,
    kFieldFileAs = 42, kFieldManager = 43, kFieldText87 = 44, kFieldText88 = 45,
    kFieldText89 = 46, kFieldText101 = 47, kFieldRingtone = 48, kFieldNickname = 49,
    kFieldIm1 = 50, kFieldIm2 = 51, kFieldIm3 = 52, kFieldCustomerId = 53,
    kFieldGovernmentId = 54, kFieldCompanyPhone = 55, kFieldAccount = 56, kFieldMms = 57,
};

// The text fields in field order: field i is read from and written to property kTextFields[i].
extern const std::array<ContactTextField, kTextFieldCount> kTextFields;

// The field whose property number is `prop`, -1 when none is.
int TextFieldOfProp(uint16_t prop);

// The phone fields in the order their numbers are taken for the named values (and offered as a
// contact's numbers), and the e-mail fields.
extern const std::array<int, 13> kPhoneFieldsNamedOrder;
extern const std::array<int, 3> kEmailFields;

// The 13 phone properties, read where only the numbers of contacts are wanted.
extern const std::array<uint16_t, 13> kPhoneProps;

// True for a phone field.
[[nodiscard]] bool IsPhoneField(int field);
