#include "store/contact/Contact.h"

void Contact::Assign(const Contact& other) {
    if (this != &other) *this = other;
}

bool Contact::Equals(const Contact& other) const {
    return SameStandardValues(other) && SameValues(other) && ContactCustProps::Equals(other);
}

void Contact::Clear() {
    StdContact::Clear();
    ContactCustProps::Clear();
    embeddedState_ = EmbeddedState::None;
}

bool Contact::IsEmpty() const {
    return StdContact::IsEmpty() && ListsEmpty();
}

std::vector<uint8_t> Contact::NotePropertyBytes() const {
    return JoinNoteProperty(GetNote().Bytes(), *this);
}
