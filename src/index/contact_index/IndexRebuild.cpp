#include "index/contact_index/IndexRebuild.h"

#include "index/contact_index/IndexEntry.h"
#include "store/contact/Contact.h"
#include "store/contact/CustPropsCodec.h"

void IndexRebuild::Add(const Contact& contact, std::u16string_view note) {
    entries_.push_back({IndexEntryOf(contact, note, 0), EncodeCustProps(contact)});
}
