#pragma once
// The contact list's call action for a contact: the phone chooser when DialType asks for it,
// otherwise a call to the default number.
#include <cstdint>

#include "platform/window/WindowTypes.h"

class Contact;
class Dialer;

enum class DialContactOutcome {
    Nothing,         // the contact has no number
    OfferChooser,    // the caller shows the phone chooser
    Called,          // the default number was dialled (the list tells its listener)
};

DialContactOutcome DialContact(const Contact& contact, uint32_t dialType, Dialer& dialer, plat::HWND owner);
