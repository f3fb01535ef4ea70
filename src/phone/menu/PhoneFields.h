#pragma once
// The phone and e-mail fields a call or a message can use, by property tag (property number in
// the high 16 bits, the text type 0x1F in the low), with the string numbers of their labels.
#include <array>
#include <cstdint>
#include <span>

#include "core/str/Str.h"

class Contact;

struct NumberField {
    uint32_t tag;    // property tag of the field
    uint32_t label;  // resource string of its label
};

inline constexpr uint32_t kTagWork = 0x0097001F, kTagWork2 = 0x0098001F, kTagHome = 0x0099001F,
                          kTagHome2 = 0x009A001F, kTagMobile = 0x0096001F, kTagHomeFax = 0x009C001F,
                          kTagWorkFax = 0x009B001F, kTagPager = 0x009D001F, kTagCar = 0x009E001F,
                          kTagRadio = 0x009F001F, kTagAssistant = 0x00A1001F, kTagCompany = 0x00A0001F,
                          kTagMms = 0x10A3001F, kTagEmail = 0x0090001F, kTagEmail2 = 0x0091001F,
                          kTagEmail3 = 0x0092001F;

// The phone fields in the order the default-number rule and the phone menu walk them.
extern const std::array<NumberField, 13> kMenuPhoneFields;
// The same fields in the order the phone chooser lists them (MMS before Company).
extern const std::array<NumberField, 13> kChooserPhoneFields;
extern const std::array<NumberField, 3> kEmailNumberFields;

// The text of the field with that tag in the contact; empty for a tag of no text field.
const Str& FieldText(const Contact& contact, uint32_t tag);
// True for the tag of one of the 13 phone fields.
[[nodiscard]] bool IsPhoneTag(uint32_t tag);
// The label of a field; empty when the tag is none of the fields above.
Str FieldLabel(uint32_t tag);
