#include "phone/menu/DialContact.h"

#include "phone/dial/Dialer.h"
#include "phone/menu/DefaultNumber.h"
#include "phone/menu/PhoneChooser.h"
#include "store/contact/Contact.h"

DialContactOutcome DialContact(const Contact& contact, uint32_t dialType, Dialer& dialer, plat::HWND owner) {
    if (PhoneChooser::ShouldOffer(dialType, contact)) return DialContactOutcome::OfferChooser;
    const std::optional<ContactNumber> number = DefaultNumber(contact);
    if (!number) return DialContactOutcome::Nothing;
    dialer.Dial(owner, number->number, &contact, 0, Str());
    return DialContactOutcome::Called;
}
