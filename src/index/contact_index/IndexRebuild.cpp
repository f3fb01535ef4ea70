#include "index/contact_index/IndexRebuild.h"

#include "index/contact_index/IndexEntry.h"
#include "store/contact/Contact.h"
#include "store/contact/CustPropsCodec.h"

void IndexRebuild::Add(const Contact& contact, std::u16string_view note) {
    Entry entry{IndexEntryOf(contact, note, 0), EncodeCustProps(contact)};
    const auto [it, fresh] = indexOf_.try_emplace(entry.words.oid, entries_.size());
    if (fresh) {
        entries_.push_back(std::move(entry));
    } else {
        entries_[it->second] = std::move(entry);
    }
}
