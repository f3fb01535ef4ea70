#pragma once
// The standard fields of a contact under the template's built-in names, group by group, in the
// order the field bag lists them, as the field table (store/contact/ContactFields.h) gives them.
// The view reads the fields through them and the editor writes rows back through them.
#include <cstdint>
#include <span>

#include "store/contact/ContactCustProps.h"
#include "view/address/AddressFormat.h"

// A standard text field or date and the string resource of its name.
struct NamedField {
    int field;
    uint32_t name;
};

// A standard address: its name, its part fields in slot order and its format word.
struct NamedAddress {
    uint32_t name;
    int fields[kAddressSlots];
    uint32_t ContactCustProps::*format;
};

// The named fields of a bag list (BagList): texts, or for the dates the birthday and the
// anniversary; empty for the addresses. A name may stand twice (the two work and the two home
// numbers): the first row of that name fills the first field, the second row the second.
std::span<const NamedField> NamedFieldsOf(int bagList);
// The contact's list of further values of a bag list holding (label, value) pairs; null for the
// other lists.
Array<CustText> ContactCustProps::*CustomTextsOf(int bagList);
// The home, work and other address.
std::span<const NamedAddress> NamedAddresses();
// The text field of name entry `entry` (kNameTitle to kNameFileAs), -1 for any other entry.
int NameEntryField(int entry);
