#pragma once
// Each field of the table (ContactFields.h) reached by its identifier: what walks the table to
// empty or compare values uses these. A field added to the table gets its case here; the editor's
// every-field test fails for one that has none.
#include <cstdint>

#include "store/contact/Contact.h"

// Empties field `field` of `contact` (a text, a date, a list, a word, the picture, the note...).
void ClearField(Contact& contact, int field);
// Whether field `field` holds the same value in both contacts.
[[nodiscard]] bool SameField(const Contact& a, const Contact& b, int field);

// The dates of the table (birthday, anniversary) by identifier; 0 for any other field.
uint64_t GetDateField(const ContactBase& contact, int field);
void SetDateField(ContactBase& contact, int field, uint64_t fileTime);

// The list of further (label, value) texts that field `field` is; null for any other field.
Array<CustText> ContactCustProps::*CustomTextListOf(int field);
// The format word that field `field` is; null for any other field.
uint32_t ContactCustProps::*FormatWordOf(int field);
