#include "index/contact_index/IndexRebuild.h"

#include <algorithm>

#include "index/contact_index/IndexEntry.h"
#include "store/contact/Contact.h"
#include "store/contact/CustPropsCodec.h"

IndexRebuild::IndexRebuild(size_t expected) {
    // A count read from a damaged store could ask for any amount: beyond this, growth decides.
    constexpr size_t kReserveAtMost = size_t{1} << 21;
    entries_.reserve(std::min(expected, kReserveAtMost));
    indexOf_.reserve(std::min(expected, kReserveAtMost));
}

// Every contact's words are held until the files are written: without the room their vector grew
// into, which is most of what a rebuild holds.
void IndexRebuild::Add(const Contact& contact, std::u16string_view note) {
    Entry entry{IndexEntryOf(contact, note, 0), EncodeCustProps(contact)};
    entry.words.words.shrink_to_fit();
    const auto [it, fresh] = indexOf_.try_emplace(entry.words.oid, entries_.size());
    if (fresh) {
        entries_.push_back(std::move(entry));
    } else {
        entries_[it->second] = std::move(entry);
    }
}
