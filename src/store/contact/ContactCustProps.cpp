#include "store/contact/ContactCustProps.h"

bool ContactCustProps::Equals(const ContactCustProps& other) const {
    return homeAddressFormat == other.homeAddressFormat &&
           workAddressFormat == other.workAddressFormat &&
           otherAddressFormat == other.otherAddressFormat && fourthFormat == other.fourthFormat &&
           SameElements(phones, other.phones) && SameElements(emails, other.emails) &&
           SameElements(webPages, other.webPages) && SameElements(people, other.people) &&
           SameElements(ringtones, other.ringtones) && SameElements(others, other.others) &&
           SameElements(ims, other.ims) && SameElements(addresses, other.addresses) &&
           SameElements(dates, other.dates) && SameElements(categories, other.categories);
}

void ContactCustProps::Clear() {
    AssignStored(ContactCustProps());
    categories.RemoveAll();
    categoriesLoaded = false;
}

bool ContactCustProps::ListsEmpty() const {
    return phones.IsEmpty() && emails.IsEmpty() && webPages.IsEmpty() && people.IsEmpty() &&
           ringtones.IsEmpty() && others.IsEmpty() && ims.IsEmpty() && addresses.IsEmpty() &&
           dates.IsEmpty();
}

bool ContactCustProps::NothingToStore() const {
    return ListsEmpty() && homeAddressFormat == 0 && workAddressFormat == 0 &&
           otherAddressFormat == 0 && fourthFormat == 0;
}

void ContactCustProps::AssignStored(const ContactCustProps& other) {
    phones = other.phones;
    emails = other.emails;
    webPages = other.webPages;
    people = other.people;
    ringtones = other.ringtones;
    others = other.others;
    ims = other.ims;
    addresses = other.addresses;
    dates = other.dates;
    homeAddressFormat = other.homeAddressFormat;
    workAddressFormat = other.workAddressFormat;
    otherAddressFormat = other.otherAddressFormat;
    fourthFormat = other.fourthFormat;
}
