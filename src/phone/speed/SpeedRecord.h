#pragma once
// One speed-dial button: a phone number of a contact (or a number alone) in a grid cell.
#include <cstdint>

#include "core/str/Str.h"
#include "store/contact/ContactPicture.h"

struct SpeedRecord {
    uint32_t oid = 0;  // the contact's object identifier; 0 for a number without contact
    Str first;
    Str last;
    Str middle;
    int32_t btn = -1;  // kept and written back as read
    Str company;
    Str display;        // the name given with Rename; empty: the name is derived
    uint32_t link = 0;  // tag (or custom tag) of the contact's phone field the button uses
    uint32_t index = 0;  // the grid cell, row by row from 0
    Str phone;
    Str type;  // the label of that phone field
    // Held in memory only, taken from the contact.
    Str fileAs;
    ContactPicture picture;
};
