#pragma once
// Synthetic but realistic contacts for the index benchmarks, and the contacts database the index
// reads sort texts from while it places a contact.
//
// Names are drawn per script (Latin with accents 60 %, Cyrillic 15 %, Greek 10 %, CJK 15 %), from
// pools of roots and endings so that a large list holds many distinct words; about 40 % of the
// contacts have a company, 70 % an e-mail address, every one 1 to 4 phone numbers in national
// formats. A given seed always gives the same contacts. Each has an item number and, drawn from its
// identifier alone (so the names stay those of earlier runs), 0 to 3 of kCategories categories:
// about a quarter have none.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "index/contact_index/IndexDatabase.h"
#include "index/words/WordIndex.h"
#include "store/contact/Contact.h"

class AbcGroupTable;

class ContactMaker {
public:
    static constexpr uint32_t kCategories = 20;  // ids 1 to 20

    explicit ContactMaker(uint32_t seed) : rng_(seed) {}
    Contact Make(uint32_t oid);

private:
    std::mt19937 rng_;
};

// The sort texts of every contact by OID, as the contacts database would give them.
class BenchDatabase : public IndexDatabase {
public:
    void Put(const Contact& contact);
    bool ReadSortKeys(uint32_t oid, SortKeys& out) override;
    bool ReadState(DatabaseState& out) override;

private:
    std::vector<SortKeys> byOid_;  // index: OID
    uint32_t records_ = 0;
};

// What the peers index of one contact: the words of the text tree and the group keys, exactly as
// the word index takes them from its entry.
struct WordRow {
    uint32_t oid = 0;
    std::vector<std::u16string> text;
    std::vector<std::u16string> groups;
    ContactCategories categories;
};
WordRow WordRowOf(const WordIndex::Entry& entry, const AbcGroupTable& groups);
