#pragma once
// Mapping a contact onto a neutral card for export, the inverse of CardToContact: reading the
// written card back gives a contact equal to this one under Contact::Equals (with the category
// names given their identifiers again). Standard properties carry what other programs
// understand; the further values go into labelled groups (item1.TEL + item1.X-ABLabel) and this
// system's own X-BREVANE- properties. docs/vcard.md has the whole table.
#include <vector>

#include "core/str/Str.h"
#include "store/contact/Contact.h"
#include "store/vcard/VCard.h"

// `categories`: the names of the contact's categories, in the order to write them.
VCard ContactToCard(const Contact& contact, const std::vector<Str>& categories);
