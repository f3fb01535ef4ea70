#pragma once
// Which number a call to a contact uses.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/str/Str.h"

class Contact;

struct ContactNumber {
    Str number;    // as stored
    Str label;     // the field's label, or the custom entry's name
    uint32_t tag;  // the field's property tag, or the custom entry's custom tag
};

// The number the contact's default dial tag names (a phone field or a custom phone) when it has a
// value; otherwise the first non-empty phone field in menu order, then the first custom phone
// with a value. A default that names an e-mail address or a number emptied since falls back to
// that order, so the call goes to the number the phone menu marks as the default. Nothing when
// the contact has no number at all.
std::optional<ContactNumber> DefaultNumber(const Contact& contact);

// The non-empty phone field or custom phone with that tag (or custom tag).
std::optional<ContactNumber> NumberByTag(const Contact& contact, uint32_t tag);

// The contact's numbers in menu order (phone fields, then custom phones with a value).
std::vector<ContactNumber> PhoneNumbers(const Contact& contact);
