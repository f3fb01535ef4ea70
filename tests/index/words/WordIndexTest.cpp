#include "index/words/WordIndex.h"

#include <gtest/gtest.h>

#include <cstring>

#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/format/Words.h"
#include "index/words/ContactWords.h"
#include "index/words/Tokenizer.h"
#include "index/words/WordsFormat.h"
#include "support/SortKeyTable.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"

namespace {

WordIndex::Entry EntryOf(uint32_t oid, std::u16string_view text, const char16_t* last = u"",
                         ContactCategories categories = {}) {
    WordIndex::Entry entry;
    entry.oid = oid;
    for (std::u16string& token : Tokens(text)) entry.words.push_back({std::move(token)});
    entry.keys.last = last;
    entry.slot = 1000 + oid;
    entry.categories = std::move(categories);
    return entry;
}

OidVector Sorted(OidVector oids) {
    std::sort(oids.begin(), oids.end());
    return oids;
}

class WordIndexTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(index.Create()); }
    void Add(uint32_t oid, std::u16string_view text, const char16_t* last = u"", ContactCategories categories = {}) {
        WordIndex::Entry entry = EntryOf(oid, text, last, std::move(categories));
        source.keys[oid] = entry.keys;
        ASSERT_EQ(index.AddContact(entry, source), IndexChange::Done);
    }
    OidVector Find(std::u16string_view query) {
        return index.Search(query, IndexOrder::Name, nullptr, SearchTree::Text);
    }

    TempDevice device;
    AbcGroupTable groups;
    WordIndex index{groups, u"\\pim_index1.dat"};
    SortKeyTable source;
};

}  // namespace

TEST(Tokenizer, SplitsAtSeparatorsAndLowerCases) {
    const struct { std::u16string_view text; std::vector<std::u16string> tokens; } cases[] = {
        {u"Anna-Maria O'Neil", {u"anna", u"maria", u"o", u"neil"}},
        {u"+7 (421) 555-1234", {u"+7", u"421", u"555", u"1234"}},
        {u"a~b\u2116c/d\\e", {u"a~b", u"c", u"d", u"e"}},
        {u"  \r\n\t", {}},
        {u"\u0416\u0401\u00c4", {u"\u0436\u0451\u00e4"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens);

    // A run longer than the longest word is kept by its beginning, never half a surrogate pair.
    using WordsFormat::kMaxWordUnits;
    const std::u16string huge(1 << 20, u'Q'), q(kMaxWordUnits, u'q');
    EXPECT_EQ(Tokens(huge + u" tail"), (std::vector<std::u16string>{q, u"tail"}));
    const std::u16string paired = std::u16string(kMaxWordUnits - 1, u'a') + u"\U0001F600b";
    EXPECT_EQ(Tokens(paired), std::vector<std::u16string>{std::u16string(kMaxWordUnits - 1, u'a')});
}

// A value kept as inline binary data (a picture an import could not decode) gives no words; a
// text that only looks like it does.
TEST(ContactWordsTest, InlineDataIsNotIndexed) {
    Contact contact;
    contact.SetText(kFieldLast, Str(u"Imre"));
    contact.others.Add({Str(u"PHOTO"), Str(u"DATA:image/jpeg;base64,QUJDREVGR0hJSktMTU5PUA==")});
    contact.others.Add({Str(u"Remark"), Str(u"data: collected, base64 not used")});
    std::set<std::u16string> words;
    for (const IndexWord& word : ContactWords(contact, u"")) words.insert(word.text);
    EXPECT_TRUE(words.contains(u"imre") && words.contains(u"collected") && words.contains(u"remark"));
    EXPECT_TRUE(words.contains(u"photo"));
    for (const std::u16string& word : words) EXPECT_EQ(word.find(u"qujd"), std::u16string::npos);
    EXPECT_FALSE(words.contains(u"jpeg"));
}

TEST(Tokenizer, PhoneKeysCoverEachTrailingNumber) {
    const struct { std::u16string_view number; std::vector<std::u16string> keys; } cases[] = {
        {u"+7 (421) 555-1234", {u"~43215551247"}},
        {u"5551234 / 5559876", {u"~67895554321555", u"~4321555"}},
        {u"no digits", {}},
        {u"12", {u"~21"}},
    };
    for (const auto& c : cases) EXPECT_EQ(PhoneKeys(c.number), c.keys) << Str(c.number).ToUtf8();

    // A number of a megabyte gives a few keys of bounded length.
    std::u16string parts;
    for (int i = 0; i < 100000; ++i) parts += u"5551234 / ";
    const std::vector<std::u16string> keys = PhoneKeys(parts + std::u16string(1 << 20, u'7'));
    EXPECT_EQ(keys.size(), WordsFormat::kMaxPhoneKeys);
    EXPECT_EQ(keys.front(), u"~" + std::u16string(WordsFormat::kMaxWordUnits - 1, u'7'));
    for (const std::u16string& key : keys) EXPECT_LE(key.size(), WordsFormat::kMaxWordUnits);
    EXPECT_EQ(Shorten(u"+7 (421) 555-1234"), u"");
    EXPECT_EQ(Shorten(u"5551234 / 5559876"), u"5551234");
}

TEST_F(WordIndexTest, PrefixesOfEveryTokenMustMeetOnOneContact) {
    Add(1, u"Anna-Maria O'Neil", u"Neil");
    Add(2, u"Anna Smith", u"Smith");
    Add(3, u"Joanne Annandale", u"Annandale");
    Add(4, u"Joanne Smith", u"Smith");
    Add(5, u"ann", u"Ann");
    const struct { std::u16string_view query; OidVector found; } cases[] = {
        {u"mar ne", {1}},
        {u"mar x", {}},
        {u"smith ann", {2}},
        {u"ann smith", {2}},
        {u"  ", {}},
        {u"ANNA", {1, 2, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(Sorted(Find(c.query)), c.found) << Str(c.query).ToUtf8();
    EXPECT_EQ(Find(u"ann"), (OidVector{5, 3, 1, 2})) << "display order: Ann, Annandale, Neil, Smith";
}

// A word longer than the index keeps is found by any typed beginning, however long.
TEST_F(WordIndexTest, LongWordsAreFoundByTheirBeginnings) {
    const std::u16string word(100000, u'z');
    Add(1, word + u" short");
    Add(2, std::u16string(WordsFormat::kMaxWordUnits - 1, u'z') + u"y");
    EXPECT_EQ(Find(word), OidVector{1});
    EXPECT_EQ(Find(word.substr(0, 3 * WordsFormat::kMaxWordUnits)), OidVector{1});
    EXPECT_EQ(Sorted(Find(u"zzz")), (OidVector{1, 2}));
}

TEST_F(WordIndexTest, TailSplitsKeepBothWordsFindable) {
    Add(1, u"anna");
    Add(2, u"ann");
    Add(3, u"annika");
    Add(4, u"anna");
    std::map<std::u16string, OidVector> words;
    index.Tree(SearchTree::Text).ForEachWord([&](const std::u16string& word, uint32_t node) {
        const auto list = OidList::View(index.Store(), index.Tree(SearchTree::Text).List(node));
        words[word] = OidVector(list.begin(), list.end());
    });
    EXPECT_EQ(words, (std::map<std::u16string, OidVector>{{u"ann", {2}}, {u"anna", {1, 4}}, {u"annika", {3}}}));
    EXPECT_EQ(Find(u"an").size(), 4u);
    EXPECT_EQ(Find(u"anni"), (OidVector{3}));
    EXPECT_EQ(index.WordsOf(SearchTree::Text, 1), (std::set<std::u16string>{u"anna"}))
        << "the word recorded before the split is found along the chain";
}

TEST_F(WordIndexTest, RemovingPrunesOnlyWhatNoOtherWordNeeds) {
    Add(1, u"anna");
    Add(2, u"ann bob");
    ASSERT_EQ(index.RemoveContact(1), IndexChange::Done);
    std::vector<std::u16string> words;
    index.Tree(SearchTree::Text).ForEachWord([&](const std::u16string& w, uint32_t) { words.push_back(w); });
    EXPECT_EQ(words, (std::vector<std::u16string>{u"ann", u"bob"}));
    EXPECT_EQ(index.RemoveContact(1), IndexChange::NotHeld);
    ASSERT_EQ(index.RemoveContact(2), IndexChange::Done);
    EXPECT_EQ(index.Tree(SearchTree::Text).Root(), 0u);
    EXPECT_TRUE(index.Order(IndexOrder::Name).empty());
    EXPECT_TRUE(index.SlotTable().empty());
    const StoreHeap::Stats stats = index.Store().Heap().Walk();
    EXPECT_EQ(stats.usedBlocks, 0u) << "every block is given back";
}

TEST_F(WordIndexTest, FiltersKeepOnlyMembersInStoredOrder) {
    Add(1, u"al", u"C");
    Add(2, u"al", u"A");
    Add(3, u"al", u"B");
    const OidVector sameSize{2, 1, 99};
    EXPECT_EQ(index.ListAll(IndexOrder::Name, &sameSize), (OidVector{2, 1}))
        << "a set as large as the list but with a stranger is still a filter";
    const OidVector all{3, 1, 2};
    EXPECT_EQ(index.ListAll(IndexOrder::Name, &all), (OidVector{2, 3, 1}));
    const OidVector some{3};
    EXPECT_EQ(index.Search(u"a", IndexOrder::Name, &some, SearchTree::Text), (OidVector{3}));
}

// OIDs spread too far apart for a table by OID: positions come from the sorted (OID, position)
// pairs, found from one OID of a word's list to the next. Every search agrees with a plain scan of
// the list, also under a filter given in descending order.
TEST_F(WordIndexTest, ContactsFarApartAreFoundAsNearOnes) {
    const std::u16string words[] = {u"anna", u"anton", u"bo", u"bob", u"carl"};
    std::map<uint32_t, std::u16string> textOf;
    std::vector<std::u16string> lasts;
    lasts.reserve(60);
    for (uint32_t i = 0; i < 60; ++i) {
        const uint32_t oid = 7 + i * 150001;
        textOf[oid] = words[i % 5] + u" " + words[(i * 3 + 1) % 5];
        lasts.push_back(std::u16string(1, static_cast<char16_t>(u'A' + (i * 7) % 26)) + static_cast<char16_t>(u'a' + i % 26));
        Add(oid, textOf[oid], lasts.back().c_str());
    }
    const OidVector all = index.ListAll(IndexOrder::Name, nullptr);
    ASSERT_EQ(all.size(), 60u);
    const auto scan = [&](std::u16string_view prefix, const OidVector& from) {
        OidVector found;
        for (const uint32_t oid : from) {
            for (const std::u16string& word : Tokens(textOf[oid])) {
                if (word.starts_with(prefix)) {
                    found.push_back(oid);
                    break;
                }
            }
        }
        return found;
    };
    for (const char16_t* query : {u"a", u"an", u"ant", u"b", u"bob", u"c", u"z"}) {
        EXPECT_EQ(Find(query), scan(query, all)) << Str(query).ToUtf8();
    }
    OidVector descending(textOf.size());
    std::transform(textOf.rbegin(), textOf.rend(), descending.begin(), [](const auto& pair) { return pair.first; });
    OidVector inOrder;
    for (const uint32_t oid : all) {
        if (std::find(descending.begin(), descending.end(), oid) - descending.begin() < 30) inOrder.push_back(oid);
    }
    descending.resize(30);
    EXPECT_EQ(index.Search(u"b", IndexOrder::Name, &descending, SearchTree::Text), scan(u"b", inOrder));
}

TEST_F(WordIndexTest, GroupKeysFindWordsByTheirLetterGroups) {
    groups.Load(LoadAbcDefinition(kAbcEnglish, {}));
    Add(1, u"Kate");
    Add(2, u"Lana");
    Add(3, u"Alan");
    EXPECT_EQ(Sorted(index.Search(u"ja", IndexOrder::Name, nullptr, SearchTree::Group)), (OidVector{1, 2}));
}

// A file whose checksum matches but whose records point amiss (a faulty or foreign writer) is
// refused when opened, so no reader follows them; the same file untouched opens.
TEST_F(WordIndexTest, OpenRefusesRecordsThatPointAmiss) {
    using namespace WordsFormat;
    const auto at = [this](uint32_t offset) { return index.Store().ToAddress(offset); };
    const auto nodeOf = [this](std::u16string_view wanted) {
        uint32_t found = 0;
        index.Tree(SearchTree::Text).ForEachWord([&](const std::u16string& word, uint32_t node) {
            if (word == wanted) found = node;
        });
        return found;
    };
    const auto firstChunk = [&] { return LoadWord(at(index.Tree(SearchTree::Text).Map() + kItemsAt + 4)); };
    // Moves the uncategorised list into the heap's last block, whose footer the file replaces
    // with its length word; its new place.
    const auto listInLastBlock = [&] {
        IndexStore& store = index.Store();
        const uint32_t list = store.HeaderWord(IndexFormat::kUncategorisedWord);
        StorePtr moved;
        uint8_t* to = store.Allocate(store.Heap().Walk().largestFree, moved);
        EXPECT_EQ(uint64_t{moved.Offset()} + store.BlockBytes(moved.Offset()) + 4, store.Length());
        std::memcpy(to, at(list), store.BlockBytes(list));
        store.SetHeaderWord(IndexFormat::kUncategorisedWord, moved.Offset());
        store.FreeAddress(at(list));
        return to;
    };
    const struct {
        const char* what;
        std::function<void()> damage;
        bool opens;
    } cases[] = {
        {"untouched", [] {}, true},
        {"a child naming another parent", [&] { StoreWord(at(nodeOf(u"bern") + kNodeParentAt), nodeOf(u"anna")); }, false},
        {"a link back to the root", [&] { StoreWord(at(nodeOf(u"bern") + kNodeLowerAt), index.Tree(SearchTree::Text).Root()); }, false},
        {"two nodes sharing one list", [&] { StoreWord(at(nodeOf(u"bern") + kNodeListAt), index.Tree(SearchTree::Text).List(nodeOf(u"anna"))); }, false},
        {"a group key sharing a word's list", [&] {
             uint32_t group = 0;
             index.Tree(SearchTree::Group).ForEachWord([&](const std::u16string&, uint32_t node) { group = node; });
             ASSERT_NE(group, 0u);
             StoreWord(at(group + kNodeListAt), index.Tree(SearchTree::Text).List(nodeOf(u"anna")));
         }, false},
        {"a list inside a block", [&] { StoreWord(at(nodeOf(u"anna") + kNodeListAt), index.Tree(SearchTree::Text).List(nodeOf(u"anna")) + 4); }, false},
        {"a tail without its end", [&] {
             const uint32_t tail = LoadWord(at(nodeOf(u"bern") + kNodeTailAt));
             for (uint32_t k = 0; k < index.Store().BlockBytes(tail); k += 4) StoreWord(at(tail + k), 0x00650065);
         }, false},
        {"a chunk of 21 entries", [&] { StoreWord(at(firstChunk() + kChunkUsedAt), kChunkCapacity + 1); }, false},
        {"a chunk naming no node", [&] { StoreWord(at(firstChunk() + kChunkNodesAt), firstChunk()); }, false},
        {"a contact map out of order", [&] { StoreWord(at(index.Tree(SearchTree::Text).Map() + kItemsAt), 9); }, false},
        {"an order longer than its block", [&] { StoreWord(at(index.Store().HeaderWord(IndexFormat::kOrderNameWord)), 40); }, false},
        {"an order listing a contact twice", [&] {
             const uint32_t order = index.Store().HeaderWord(IndexFormat::kOrderNameWord);
             StoreWord(at(order + kItemsAt + 4), LoadWord(at(order + kItemsAt)));
         }, false},
        {"an order leaving a contact out", [&] {
             StoreWord(at(index.Store().HeaderWord(IndexFormat::kOrderFileAsWord) + kCountAt), 2);
         }, false},
        {"an order naming a contact not held", [&] {
             StoreWord(at(index.Store().HeaderWord(IndexFormat::kOrderFileAsWord) + kItemsAt), 77);
         }, false},
        {"a category table out of order", [&] { StoreWord(at(index.Store().HeaderWord(IndexFormat::kCategoriesWord) + kItemsAt), 9); }, false},
        {"a category list longer than its block", [&] {
             StoreWord(at(LoadWord(at(index.Store().HeaderWord(IndexFormat::kCategoriesWord) + kItemsAt + 4))), 40);
         }, false},
        {"a list in the heap's last block", [&] { listInLastBlock(); }, true},
        {"a list longer than the heap's last block", [&] { StoreWord(listInLastBlock(), 1u << 28); }, false},
        {"an uncategorised list inside a block", [&] {
             index.Store().SetHeaderWord(IndexFormat::kUncategorisedWord, index.Store().HeaderWord(IndexFormat::kUncategorisedWord) + 4);
         }, false},
    };
    groups.Load(LoadAbcDefinition(kAbcEnglish, {}));
    for (const auto& c : cases) {
        ASSERT_TRUE(index.Create());
        Add(1, u"anna annika", u"", {true, {5}});
        Add(2, u"bern ann", u"", {true, {2}});
        Add(3, u"carl", u"", {true, {}});
        ASSERT_EQ(at(nodeOf(u"bern"))[kNodeTailFlagAt], kTailFlag);
        c.damage();
        ASSERT_TRUE(index.Store().File().StartSave());
        index.Close();
        EXPECT_EQ(index.Open(), c.opens) << c.what;
    }
}

// The contacts of each category follow adds, updates (a contact added again) and removes; a
// contact without an item number is in no list; a bulk fill gives the same lists.
TEST_F(WordIndexTest, CategoryMembersFollowChangesAndTheFillAgrees) {
    const std::vector<std::pair<uint32_t, ContactCategories>> contacts = {
        {1, {true, {7, 3}}}, {2, {true, {3}}}, {3, {true, {}}}, {4, {false, {}}}, {5, {true, {7, 7}}}};
    const std::vector<std::pair<std::vector<uint32_t>, OidVector>> queries = {
        {{3}, {1, 2}}, {{7}, {1, 5}}, {{7, 3}, {1, 2, 5}}, {{}, {3}}, {{9}, {}}, {{9, 3}, {1, 2}}};
    for (const auto& [oid, categories] : contacts) Add(oid, u"name", u"", categories);
    WordIndex filled{groups, u"\\other_index1.dat"};
    ASSERT_TRUE(filled.Create());
    std::vector<WordIndex::Entry> entries;
    for (const auto& [oid, categories] : contacts) entries.push_back(EntryOf(oid, u"name", u"", categories));
    ASSERT_TRUE(filled.Fill(entries));
    for (const auto& [ids, members] : queries) {
        EXPECT_EQ(index.CategoryMembers(ids), members);
        EXPECT_EQ(filled.CategoryMembers(ids), members) << "bulk fill";
    }

    Add(2, u"name", u"", {true, {}});  // its category taken away
    Add(3, u"name", u"", {true, {9}});
    ASSERT_EQ(index.RemoveContact(1), IndexChange::Done);
    EXPECT_EQ(index.CategoryMembers(std::vector<uint32_t>{3}), OidVector{});
    EXPECT_EQ(index.CategoryMembers(std::vector<uint32_t>{7, 9}), (OidVector{3, 5}));
    EXPECT_EQ(index.CategoryMembers({}), (OidVector{2}));
    for (const uint32_t oid : {2, 3, 4, 5}) ASSERT_EQ(index.RemoveContact(oid), IndexChange::Done);
    EXPECT_EQ(index.Store().Heap().Walk().usedBlocks, 0u) << "no list is left behind";
}

// A changed contact keeps its place in an order only where its new texts still fall between its
// neighbours' (then with a few reads, not a search); whatever the changes, each order stays what a
// sort of the current texts gives.
TEST_F(WordIndexTest, ChangedContactsKeepTheirPlaceOnlyWhereTheirTextsStillFit) {
    std::mt19937 random(11);
    const char16_t* names[] = {u"Adams", u"berg", u"Berg", u"Cohen", u"\u00c9mile", u""};
    const auto name = [&] { return Str(names[random() % std::size(names)]); };
    const auto change = [&](uint32_t oid, const SortKeys& keys) {
        WordIndex::Entry entry = EntryOf(oid, u"word");
        entry.keys = source.keys[oid] = keys;
        return index.AddContact(entry, source);
    };
    constexpr uint32_t kContacts = 64;
    for (uint32_t oid = 1; oid <= kContacts; ++oid)
        ASSERT_EQ(change(oid, {name(), Str(), name(), name()}), IndexChange::Done);
    for (int round = 0; round < 400; ++round) {
        const uint32_t oid = 1 + random() % kContacts;
        SortKeys keys = source.keys[oid];
        if (random() % 2 == 0) keys.last = name();
        if (random() % 3 == 0) keys.fileAs = name();
        ASSERT_EQ(change(oid, keys), IndexChange::Done);
        if (round % 50 == 0) {
            source.reads = 0;
            ASSERT_EQ(change(oid, keys), IndexChange::Done);
            EXPECT_LE(source.reads, 6u)
                << "an unchanged contact reads itself and its neighbours in each order";
        }
    }
    const auto sortedBy = [&](auto keyText) {
        OidVector oids(kContacts);
        std::iota(oids.begin(), oids.end(), 1u);
        std::sort(oids.begin(), oids.end(), [&](uint32_t a, uint32_t b) {
            return IndexComparator::CompareKeys(keyText(source.keys[a]), a, keyText(source.keys[b]), b) < 0;
        });
        return oids;
    };
    const auto orderOf = [&](IndexOrder order) {
        const std::span<const uint32_t> list = index.Order(order);
        return OidVector(list.begin(), list.end());
    };
    EXPECT_EQ(orderOf(IndexOrder::Name), sortedBy(NameKeyText));
    EXPECT_EQ(orderOf(IndexOrder::FileAs), sortedBy([](const SortKeys& keys) { return keys.fileAs; }));
}

// In a full image (it cannot grow) an add that needs room fails and says so, while removals,
// which change every list where it lies, need no room and still succeed; a contact the index
// does not hold is told apart, and the contacts held stay findable.
TEST(WordIndexFull, AddsNeedingRoomFailAndRemovalsNeedNone) {
    TempDevice device;
    AbcGroupTable groups;
    SortKeyTable source;
    WordIndex index{groups, u"\\pim_index1.dat", 256 * 1024};
    ASSERT_TRUE(index.Create());
    for (uint32_t oid : {1u, 2u}) {
        WordIndex::Entry entry = EntryOf(oid, u"ann bob");
        source.keys[oid] = entry.keys;
        ASSERT_EQ(index.AddContact(entry, source), IndexChange::Done);
    }
    for (uint32_t size = 64 * 1024; size > 0; size /= 2) {
        StorePtr filler;
        while (index.Store().Allocate(size, filler) != nullptr) {
        }
    }
    WordIndex::Entry entry = EntryOf(4, u"carl dora");
    source.keys[4] = entry.keys;
    EXPECT_EQ(index.AddContact(entry, source), IndexChange::Failed);
    EXPECT_EQ(index.RemoveContact(3), IndexChange::NotHeld);
    EXPECT_EQ(index.RemoveContact(2), IndexChange::Done);
    EXPECT_EQ(index.Search(u"ann", IndexOrder::Name, nullptr, SearchTree::Text), (OidVector{1}));
    EXPECT_EQ(index.Order(IndexOrder::Name).size(), 1u);
}

// The key of the SIM card's contacts goes with the contact's other words through adding, changing,
// removing and the bulk fill; no text of a contact and no typed search reaches it.
TEST_F(WordIndexTest, TheSimKeyFollowsEveryChangeAndNoTextGivesIt) {
    const auto entryOf = [this](uint32_t oid, const char16_t* first, bool fromSim) {
        Contact contact;
        contact.SetOid(oid);
        contact.SetText(kFieldFirst, first);
        contact.SetFromSim(fromSim);
        WordIndex::Entry entry;
        entry.oid = oid;
        entry.words = ContactWords(contact, u"");
        entry.keys.first = first;
        entry.slot = 1000 + oid;
        source.keys[oid] = entry.keys;
        return entry;
    };
    const std::vector<WordIndex::Entry> entries = {
        entryOf(1, u"Mum", true), entryOf(2, u"\t~sim ~sim sim", false), entryOf(3, u"Taxi", true)};
    for (const WordIndex::Entry& entry : entries)
        ASSERT_EQ(index.AddContact(entry, source), IndexChange::Done);
    EXPECT_EQ(index.Holders(kSimContactKey), (OidVector{1, 3}));
    EXPECT_EQ(Find(u"~sim"), OidVector{2});
    EXPECT_EQ(Find(kSimContactKey), OidVector{2}) << "a typed text is split at the separator";
    EXPECT_TRUE(index.WordsOf(SearchTree::Text, 1).contains(std::u16string(kSimContactKey)));
    EXPECT_EQ(index.WordCount(), 4u) << "mum, ~sim, sim and taxi; the key is no word";

    ASSERT_EQ(index.AddContact(entryOf(1, u"Mum", false), source), IndexChange::Done);
    EXPECT_EQ(index.Holders(kSimContactKey), OidVector{3});
    ASSERT_EQ(index.RemoveContact(3), IndexChange::Done);
    EXPECT_EQ(index.Holders(kSimContactKey), OidVector{});
    EXPECT_EQ(index.WordCount(), 3u) << "taxi went with its only holder";

    WordIndex bulk{groups, u"\\bulk_index1.dat"};
    ASSERT_TRUE(bulk.Create());
    ASSERT_TRUE(bulk.Fill(entries));
    EXPECT_EQ(bulk.Holders(kSimContactKey), (OidVector{1, 3}));
}

// A word typed without marks also finds the words that differ from it only by them, through the
// folded spellings the text tree holds beside the words; a word typed with marks matches as typed.
// The keypad places letters no group names by their folds. Adding contacts one by one and the bulk
// fill agree.
TEST_F(WordIndexTest, FoldedSpellingsFindNamesWithMarks) {
    groups.Load(LoadAbcDefinition(kAbcEnglish, {}));
    const std::u16string_view names[] = {u"Müller", u"Mulder", u"Schäfer", u"Dvořáková", u"Łódź",
                                         u"Åberg",  u"Aberg",  u"Zoë",     u"Weiß",      u"Ærøe",
                                         u"Σοφία",  u"Νίκος",  u"Ёлкин",   u"Елкин"};
    std::vector<WordIndex::Entry> entries;
    for (uint32_t oid = 1; oid <= std::size(names); ++oid) {
        Contact contact;
        contact.SetText(kFieldLast, Str(names[oid - 1]));
        entries.push_back({oid, ContactWords(contact, u""), {}, 1000 + oid, {}});
        entries.back().keys.last = Str(names[oid - 1]);
        source.keys[oid] = entries.back().keys;
        ASSERT_EQ(index.AddContact(entries.back(), source), IndexChange::Done);
    }
    WordIndex filled{groups, u"\\filled_index1.dat"};
    ASSERT_TRUE(filled.Create());
    ASSERT_TRUE(filled.Fill(entries));

    const struct {
        std::u16string_view query;
        SearchTree tree;
        OidVector found;
    } cases[] = {
        {u"muller", SearchTree::Text, {1}},   {u"mul", SearchTree::Text, {1, 2}},
        {u"MÜL", SearchTree::Text, {1}},      {u"mül", SearchTree::Text, {1}},
        {u"schafer", SearchTree::Text, {3}},  {u"dvorakova", SearchTree::Text, {4}},
        {u"lodz", SearchTree::Text, {5}},     {u"łódź", SearchTree::Text, {5}},
        {u"aberg", SearchTree::Text, {6, 7}}, {u"åberg", SearchTree::Text, {6}},
        {u"zoe", SearchTree::Text, {8}},      {u"weiss", SearchTree::Text, {9}},
        {u"weiß", SearchTree::Text, {9}},     {u"aeroe", SearchTree::Text, {10}},
        {u"ærø", SearchTree::Text, {10}},     {u"σοφια", SearchTree::Text, {11}},
        {u"ΣΟΦΊΑ", SearchTree::Text, {11}},   {u"νικος", SearchTree::Text, {12}},
        {u"ёлкин", SearchTree::Text, {13}},   {u"елкин", SearchTree::Text, {14}},
        {u"mtj", SearchTree::Group, {1, 2}},  {u"mtjj", SearchTree::Group, {1}},  // 6-8-5, 6-8-5-5
        {u"wdgp", SearchTree::Group, {9}},    {u"jmdw", SearchTree::Group, {5}},
        {u"apmd", SearchTree::Group, {10}},   {u"wmd", SearchTree::Group, {8}},
    };
    for (const auto& c : cases) {
        const std::string query = Str(c.query).ToUtf8();
        EXPECT_EQ(Sorted(index.Search(c.query, IndexOrder::Name, nullptr, c.tree)), c.found) << query;
        EXPECT_EQ(Sorted(filled.Search(c.query, IndexOrder::Name, nullptr, c.tree)), c.found)
            << query << " (fill)";
    }
    EXPECT_EQ(index.WordsOf(SearchTree::Text, 1), (std::set<std::u16string>{u"müller", u"muller"}));
    EXPECT_EQ(index.WordsOf(SearchTree::Group, 1), (std::set<std::u16string>{u"mtjjdp"}));
    for (uint32_t oid = 1; oid <= std::size(names); ++oid)
        ASSERT_EQ(index.RemoveContact(oid), IndexChange::Done);
    EXPECT_EQ(index.Store().Heap().Walk().usedBlocks, 0u) << "the folded spellings went with their contacts";
}
