#pragma once
// Further values and contacts with something in every list, for the contact record tests.
#include "store/contact/ContactCustProps.h"

inline ContactCustProps SampleCustProps() {
    ContactCustProps v;
    v.phones.Add({u"Work", u"+1 555 0100"});
    v.phones.Add({u"Boat", u""});
    v.emails.Add({u"Private", u"anna@example.org"});
    v.webPages.Add({u"Blog", u"http://example.org/\u00e4"});
    v.people.Add({u"Friend", u"J\u00f6rg"});
    v.ringtones.Add({u"Linked file", u"\\My Documents\\ring.wav"});
    v.others.Add({u"", u"x"});
    v.others.Add({u"Shoe size", u"42"});
    v.ims.Add({u"IM 4", u"anna@jabber", u"XMPP"});
    v.addresses.Add({41057, u"Summer house", u"1 Lake Rd", u"Lakeside", u"MN", u"55555", u"USA"});
    v.addresses.Add({0, u"", u"", u"", u"", u"", u""});
    v.dates.Add({u"Wedding", 0x01D2345678ABCDEFull});
    v.homeAddressFormat = 41016;
    v.workAddressFormat = 41057;
    v.otherAddressFormat = 7;
    v.fourthFormat = 0xF00D;
    return v;
}
