#pragma once
// Showing one contact in the list on request (the "v" switch, a contact chosen elsewhere): the
// contact becomes the current row, its company group expanded. When the search or the category
// filter hides it, they are cleared first (the search, then the filter), so a request for an
// existing contact always ends with it listed and current.
#include <cstdint>

#include "screen/list/ContactsFrameModel.h"

// False when the contact is not listed even then (it is not in the store).
[[nodiscard]] bool RevealContact(ContactsFrameModel& model, uint32_t oid, FrameEffect& effect);
