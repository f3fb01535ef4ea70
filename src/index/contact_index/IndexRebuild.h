#pragma once
// The contacts gathered for a full rebuild of the index: for each, its object identifier, its
// words, its sort texts and its further values as the properties store keeps them. The contact
// manager reads every contact into one of these, then hands it to ContactIndex::Rebuild, which
// writes the files in bulk.
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "index/format/JournalPosition.h"
#include "index/words/WordIndex.h"

class Contact;

class IndexRebuild {
public:
    struct Entry {
        WordIndex::Entry words;        // its slot is given when the record is stored
        std::vector<uint8_t> record;   // the further values' record
    };

    // Room for `expected` contacts is taken at once: growing by doubling would hold the entries
    // twice at the moment of a move, at the peak of the rebuild's memory.
    explicit IndexRebuild(size_t expected = 0);

    // Gathers `contact` (stored: it has an object identifier) with its note text. A contact
    // gathered again replaces its earlier reading, so that each has one record.
    void Add(const Contact& contact, std::u16string_view note);
    size_t Count() const { return entries_.size(); }
    std::vector<Entry>& Entries() { return entries_; }
    // The journal position read before the first contact was: the rebuilt index holds every
    // change up to it (unknown when the journal could not tell).
    void SetPosition(const JournalPosition& position) { position_ = position; }
    const JournalPosition& Position() const { return position_; }

private:
    std::vector<Entry> entries_;
    std::unordered_map<uint32_t, size_t> indexOf_;  // OID -> its entry
    JournalPosition position_;
};
