#include "store/contact/ContactBase.h"

void ContactBase::Assign(const ContactBase& other) {
    ContactBase::operator=(other);
}

bool ContactBase::Equals(const ContactBase& other) const {
    return oid_ == other.oid_ && SameValues(other);
}

bool ContactBase::SameValues(const ContactBase& other) const {
    return anniversary_ == other.anniversary_ && birthday_ == other.birthday_ &&
           defaultTag_ == other.defaultTag_;
}

void ContactBase::Clear() {
    ContactBase::operator=(ContactBase());
}

bool ContactBase::IsEmpty() const {
    return anniversary_ == 0 && birthday_ == 0 && defaultTag_ == 0;
}
