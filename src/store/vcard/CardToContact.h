#pragma once
// Mapping a neutral card onto a new contact: names, company, phones by type onto the phone
// fields (the first free matching field, the rest into the further phones with their label),
// e-mail, addresses, web, IM, people, dates, note, picture and categories. What is understood
// but has no field of its own goes into the further values' lists; what is not understood is
// kept as an "other" value labelled by its property name. docs/vcard.md has the whole table.
#include <string>
#include <vector>

#include "core/str/Str.h"
#include "store/contact/Contact.h"
#include "store/vcard/VCard.h"

// A contact read from a card, with the names of its categories in card order, each once (the
// caller gives them their identifiers).
struct ImportedContact {
    Contact contact;
    std::vector<Str> categories;
    // What of the card was dropped rather than kept (a PHOTO that is not a picture this program
    // reads), one sentence each, for the caller to name.
    std::vector<std::string> dropped;
};

ImportedContact CardToContact(const VCard& card);
