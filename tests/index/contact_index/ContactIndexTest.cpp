#include "index/contact_index/ContactIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/contact_index/IndexEntry.h"
#include "index/contact_index/IndexRebuild.h"
#include "index/props/PropsStore.h"
#include "index/words/Tokenizer.h"
#include "index/words/WordIndex.h"
#include "store/contact/Contact.h"
#include "platform/registry/Registry.h"
#include "store/contact/ContactFields.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

class MemoryDatabase : public IndexDatabase {
public:
    bool ReadSortKeys(uint32_t oid, SortKeys& out) override {
        const auto it = contacts.find(oid);
        if (it == contacts.end()) return false;
        out = SortKeysOf(it->second);
        return true;
    }
    bool ReadState(DatabaseState& out) override {
        out = {modified, static_cast<uint32_t>(contacts.size())};
        return true;
    }
    std::map<uint32_t, Contact> contacts;
    uint64_t modified = 0x01D9000000000000ull;
};

Contact RandomContact(std::mt19937& rng, uint32_t oid) {
    static const char16_t* kNames[] = {u"Anna", u"Ann", u"Annika", u"Bob", u"Борис", u"Jürgen", u"Zoë",
                                       u"O'Neil", u"Smith", u"Smithers", u"Müller", u"Иванов", u""};
    auto pick = [&] { return kNames[rng() % std::size(kNames)]; };
    Contact c;
    c.SetOid(oid);
    c.SetText(kFieldFirst, pick());
    c.SetText(kFieldLast, pick());
    c.SetText(kFieldCompany, rng() % 3 == 0 ? pick() : u"");
    c.SetText(kFieldFileAs, pick());
    c.SetText(kFieldMobile, Str::FromUtf8("+49 (30) " + std::to_string(rng() % 100000)));
    if (rng() % 4 == 0) c.phones.Add(CustText{u"Boat", Str::FromUtf8(std::to_string(rng()))});
    return c;
}

struct Snapshot {
    std::map<std::u16string, OidVector> words[2];
    OidVector orders[2];
    std::map<uint32_t, std::set<std::u16string>> contactWords[2];
    std::map<uint32_t, uint32_t> slots;  // OID -> record word of its slot
    std::map<std::u16string, OidVector> found[2];  // by the first one to three letters of each word
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(ContactIndex& index, const std::vector<uint32_t>& oids) {
    Snapshot s;
    WordIndex& words = const_cast<WordIndex&>(index.Words());
    for (int t = 0; t < 2; ++t) {
        WordTree& tree = words.Tree(static_cast<SearchTree>(t));
        tree.ForEachWord([&](const std::u16string& word, uint32_t node) {
            // A node whose word lost its last contact stays while it holds other words' nodes.
            const auto list = OidList::View(words.Store(), tree.List(node));
            if (!list.empty()) s.words[t][word] = OidVector(list.begin(), list.end());
        });
        for (const auto& [word, list] : s.words[t]) {
            for (size_t n = 1; n <= std::min<size_t>(3, word.size()); ++n) {
                const std::u16string prefix = word.substr(0, n);
                s.found[t][prefix] = index.Search(prefix, IndexOrder::Name, nullptr, static_cast<SearchTree>(t));
            }
        }
        const auto order = words.Order(static_cast<IndexOrder>(t));
        s.orders[t] = OidVector(order.begin(), order.end());
        for (uint32_t oid : oids) s.contactWords[t][oid] = words.WordsOf(static_cast<SearchTree>(t), oid);
    }
    for (const PairList::Pair& pair : words.SlotTable()) {
        std::vector<uint8_t> record;
        EXPECT_TRUE(index.Props().ReadEncoded(pair.value, record));
        s.slots[pair.oid] = static_cast<uint32_t>(record.size());
    }
    return s;
}

// A device, a database of one contact and an index over it that is not yet opened.
class ContactIndexTest : public ::testing::Test {
protected:
    void SetUp() override { db.contacts[kOid] = RandomContact(rng, kOid); }
    IndexChange AddTo(ContactIndex& to, const Contact& c) {
        return to.AddContact(c, u"", to.Props().AddRecord(c));
    }

    static constexpr uint32_t kOid = 5;
    TempDevice device;
    AbcGroupTable groups;
    MemoryDatabase db;
    std::mt19937 rng{3};
    ContactIndex index{groups};
};

}  // namespace

// The bulk rebuild lays its trees out differently from adding in turn: the content must be the
// same, and later changes must work on either.
TEST_F(ContactIndexTest, BulkRebuildEqualsAddingEachInTurn) {
    groups.Load(LoadAbcDefinition(kAbcEnglish, {}));
    db.contacts.clear();
    std::vector<uint32_t> oids;
    for (uint32_t i = 0; i < 300; ++i) {
        const uint32_t oid = 0x10000 + (rng() % 5000);
        db.contacts[oid] = RandomContact(rng, oid);
        oids.push_back(oid);
    }
    const auto initial = db.contacts;
    const auto change = [&](std::mt19937 random) {  // removes and rewrites held contacts
        for (int i = 0; i < 80; ++i) {
            const uint32_t oid = oids[random() % oids.size()];
            const std::optional<uint32_t> slot = index.FindSlot(oid);
            if (!slot) continue;
            if (i % 2 == 0) {
                ASSERT_EQ(index.RemoveContact(oid), IndexChange::Done);
                ASSERT_TRUE(index.Props().RemoveRecord(*slot));
                db.contacts.erase(oid);
                continue;
            }
            db.contacts[oid] = RandomContact(random, oid);
            ASSERT_TRUE(index.Props().UpdateRecord(*slot, db.contacts[oid]));
            ASSERT_EQ(index.UpdateContact(db.contacts[oid], u"note text", *slot), IndexChange::Done);
        }
    };
    ASSERT_TRUE(index.Create(db));
    for (uint32_t oid : oids) {
        const Contact& c = db.contacts[oid];
        const std::optional<uint32_t> slot = index.FindSlot(oid);
        if (slot) {
            ASSERT_TRUE(index.Props().UpdateRecord(*slot, c));
            ASSERT_EQ(index.UpdateContact(c, u"note text", *slot), IndexChange::Done);
        } else {
            ASSERT_EQ(index.AddContact(c, u"note text", index.Props().AddRecord(c)), IndexChange::Done);
        }
    }
    const Snapshot sequential = Take(index, oids);
    change(std::mt19937(5));
    const Snapshot sequentialChanged = Take(index, oids);
    const auto reopens = [&] {  // the file passes the records' check on opening
        index.Save(true);
        index.Close();
        return index.Open(db, 0) == ContactIndex::kOpenReady;
    };
    EXPECT_TRUE(reopens());
    index.Close();
    db.contacts = initial;
    IndexRebuild gathered;
    for (uint32_t oid : oids) gathered.Add(db.contacts[oid], u"note text");
    ASSERT_TRUE(index.Rebuild(db, gathered));
    const Snapshot bulk = Take(index, oids);
    EXPECT_TRUE(bulk == sequential);
    EXPECT_EQ(bulk.orders[0].size(), db.contacts.size());
    change(std::mt19937(5));
    EXPECT_TRUE(Take(index, oids) == sequentialChanged);
    EXPECT_TRUE(reopens());
}

TEST_F(ContactIndexTest, OpenTellsReadyStaleOrFailed) {
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenFailed) << "no files";
    ASSERT_TRUE(index.Create(db));
    ASSERT_EQ(AddTo(index, db.contacts[kOid]), IndexChange::Done);
    index.Save(true);
    index.Close();
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenReady);
    EXPECT_EQ(index.Search(u"+49", IndexOrder::Name, nullptr, SearchTree::Text), (OidVector{kOid}));
    index.Close();

    db.modified += 1;
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenStale) << "the database changed since";
    index.Close();
    EXPECT_EQ(index.Open(db, 1), ContactIndex::kOpenReady) << "a reopen looks at the count only";
    index.Close();

    EXPECT_TRUE(SettingsStore::WriteString(settings::kSettings, ContactIndex::kCollationValue, u"other"));
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenFailed) << "names were ordered by another collation";
    EXPECT_FALSE(index.IsOpen());
}

// A number beyond the phone fields (a second mobile, a video number) is the contact's own and is
// found by its trailing digits like the fields' numbers.
TEST_F(ContactIndexTest, FurtherNumbersAreFoundByTheirTrailingDigits) {
    Contact& c = db.contacts[kOid];
    c.SetText(kFieldMobile, u"");
    c.phones.Add(CustText{u"Mobile", u"+44 20 7946 0018"});
    c.phones.Add(CustText{u"Video", u"(555) 010-9999"});
    ASSERT_TRUE(index.Create(db));
    ASSERT_EQ(AddTo(index, c), IndexChange::Done);
    for (const char16_t* digits : {u"2079460018", u"79460018", u"5550109999"}) {
        EXPECT_EQ(index.Search(PhoneKeys(digits).front(), IndexOrder::Name, nullptr, SearchTree::Text),
                  (OidVector{kOid}))
            << Str(digits).ToUtf8();
    }
}

// The group tree's keys hold only for the alphabet they were made with: the index records it
// beside the collation, and files made with another alphabet are not opened (the caller rebuilds).
TEST_F(ContactIndexTest, AnIndexMadeWithAnotherAlphabetIsNotOpened) {
    groups.Load(LoadAbcDefinition(kAbcEnglish, {}));
    ASSERT_TRUE(index.Create(db));
    ASSERT_EQ(AddTo(index, db.contacts[kOid]), IndexChange::Done);
    index.Save(true);
    index.Close();
    const std::u16string english = u"abc def ghi jkl mno pqrs tuv wxyz";
    const auto stored = plat::DeviceRegistry().GetValue(
        plat::Hive::CurrentUser, u"Software\\Velmora\\PIM\\Settings", u"IndexAlphabet");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(std::pair(stored->type, stored->data), std::pair(plat::REG_SZ, Utf16Bytes(english + u'\0')))
        << "UTF-16LE with its NUL";
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenReady);
    index.Close();

    groups.Load(LoadAbcDefinition(kAbcRussian, {}));
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenFailed) << "group keys of the English alphabet";
    ASSERT_TRUE(index.Create(db));
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, ContactIndex::kAlphabetValue, u"").View(),
              groups.Signature().View());
    EXPECT_NE(groups.Signature().View(), english);
    ASSERT_EQ(AddTo(index, db.contacts[kOid]), IndexChange::Done);
    index.Save(true);
    index.Close();
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenReady);
}

TEST_F(ContactIndexTest, ChangesRunUnderTheUpdateFlagAndStampTheDatabaseTime) {
    ASSERT_TRUE(index.Create(db));
    ASSERT_EQ(AddTo(index, db.contacts[kOid]), IndexChange::Done);
    EXPECT_FALSE(index.Props().IsUpdating());
    EXPECT_EQ(index.Props().DatabaseTime(), db.modified);
    EXPECT_EQ(index.RemoveContact(99), IndexChange::NotHeld);
    EXPECT_FALSE(index.Props().IsUpdating()) << "not holding a contact is no failure";

    Contact unreadable = RandomContact(rng, 77);  // not in the database: its place cannot be found
    EXPECT_EQ(AddTo(index, unreadable), IndexChange::Failed);
    EXPECT_TRUE(index.Props().IsUpdating()) << "a failed change leaves the flag for a rebuild";
    index.Save(true);
    index.Close();
    EXPECT_EQ(index.Open(db, 0), ContactIndex::kOpenFailed);

    index.MarkFilesInvalid();
    EXPECT_TRUE(index.FilesFlaggedInvalid());
    ASSERT_TRUE(index.Create(db));
    index.Save(true);
    index.Close();
    EXPECT_FALSE(index.FilesFlaggedInvalid()) << "complete saves clear both flags";
}

// A long token that two contacts share (a key pasted into both notes) is kept by its beginning:
// both contacts are found by it, and by any longer text that begins the same way.
TEST_F(ContactIndexTest, RebuildTakesLongSharedWords) {
    const std::u16string shared(300000, u'k');
    db.contacts[kOid + 1] = RandomContact(rng, kOid + 1);
    IndexRebuild gathered;
    gathered.Add(db.contacts[kOid], shared + u"a");
    gathered.Add(db.contacts[kOid + 1], shared + u"b");
    ASSERT_TRUE(index.Rebuild(db, gathered));
    EXPECT_EQ(index.Search(u"kk", IndexOrder::Name, nullptr, SearchTree::Text).size(), 2u);
    EXPECT_EQ(index.Search(shared + u"b", IndexOrder::Name, nullptr, SearchTree::Text).size(), 2u);
}
