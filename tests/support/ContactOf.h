#pragma once
// A contact made of (field, text) pairs: how the tests spell the contact they start from.
#include <initializer_list>
#include <utility>

#include "store/contact/Contact.h"

using FieldTexts = std::initializer_list<std::pair<int, const char16_t*>>;

inline Contact ContactOf(FieldTexts fields) {
    Contact contact;
    for (const auto& [field, text] : fields) contact.SetText(field, text);
    return contact;
}
