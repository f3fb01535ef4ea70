#pragma once
// The keys a duplicate can share, taken from contacts: of one contact, and of every contact of
// the store in one pass over the contacts database (only the names, numbers, addresses and the
// note that holds the further ones are read; no picture is decoded).
#include <optional>
#include <vector>

#include "manager/duplicates/DuplicateFinder.h"
#include "store/contact/Contact.h"

class ContactManager;

// First, middle and last name's words (File As's when those are empty), folded and sorted; the
// digits of every number; every e-mail address lower-cased.
DuplicateKeys KeysOf(const Contact& contact);

// The keys of every stored contact; nothing when the store cannot be read through. With `uids`,
// each contact's UID too, in the same order.
std::optional<std::vector<DuplicateKeys>> GatherKeys(ContactManager& manager,
                                                     std::vector<Str>* uids = nullptr);
