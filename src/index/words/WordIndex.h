#pragma once
// WordIndex: the content of pim_index1.dat. Two word trees (the lower-cased words of every
// contact, and their alphabet-group keys), each with its contact map (contact -> the word nodes
// recorded for it), the name and File As orders, the slot table with its in-memory map, and the
// contacts of each category.
//
// Searches mark contacts by their position in the chosen order, so results come out in display
// order without sorting; the positions are derived from the order list on the first search after
// a change.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "index/order/IndexComparator.h"
#include "index/store/IndexStore.h"
#include "index/words/CategoryLists.h"
#include "index/words/ContactWords.h"
#include "index/words/IndexResults.h"
#include "index/words/MarkSet.h"
#include "index/words/OidList.h"
#include "index/words/SearchTypes.h"
#include "index/words/SlotMap.h"
#include "index/words/WordTree.h"

class AbcGroupTable;
class Contact;

class WordIndex {
public:
    // The words, sort texts and slot of one contact, as both adding and the bulk fill take them.
    struct Entry {
        uint32_t oid = 0;
        std::vector<IndexWord> words;
        SortKeys keys;
        uint32_t slot = 0;
        ContactCategories categories;
    };

    // `viewBytes` bounds the image as IndexStore's does (tests make it small to fill it).
    WordIndex(const AbcGroupTable& groups, std::u16string path, uint64_t viewBytes = IndexFormat::kViewBytes);

    [[nodiscard]] bool Create();
    [[nodiscard]] bool Open();  // builds the slot map from the slot table
    void Close();
    [[nodiscard]] bool IsOpen() const { return store_.IsOpen(); }
    IndexStore& Store() { return store_; }

    // Indexes a contact; an OID already indexed is replaced (a failure of its removal fails the add),
    // keeping its place in each order where its sort texts still fall between its neighbours'. The
    // comparators read the contacts' sort texts from `source`.
    IndexChange AddContact(const Entry& entry, SortKeySource& source);
    // NotHeld when the OID is not indexed.
    IndexChange RemoveContact(uint32_t oid);
    // Fills an empty index with `entries` (of distinct OIDs) at once: the same content as adding
    // each in turn.
    [[nodiscard]] bool Fill(std::span<const Entry> entries);

    std::optional<uint32_t> FindSlot(uint32_t oid) const;
    OidVector Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                     SearchTree tree) const;
    OidVector ListAll(IndexOrder order, const OidVector* filter) const;
    // The contacts holding the word `key` (or a word beginning with it) in the text tree,
    // ascending; the key is taken as it is, not split into tokens.
    OidVector Holders(std::u16string_view key) const;
    // The distinct words of the text tree that some contact holds; the SIM card's key is no word.
    size_t WordCount() const;
    // The contacts having any of the categories `ids` (ascending); with none, the contacts with an
    // item number and no category.
    OidVector CategoryMembers(std::span<const uint32_t> ids) const { return categories_.Members(ids); }
    std::vector<uint32_t> CategoriesOf(uint32_t oid) const { return categories_.Of(oid); }

    // Inspection: the stored lists as they are.
    std::span<const uint32_t> Order(IndexOrder order) const;
    std::span<const PairList::Pair> SlotTable() const;
    WordTree& Tree(SearchTree tree) { return tree == SearchTree::Text ? text_ : group_; }
    const WordTree& Tree(SearchTree tree) const { return tree == SearchTree::Text ? text_ : group_; }
    // The words recorded for `oid` in `tree`: for each recorded node, the words along its
    // equal-child chain whose lists hold the OID.
    std::set<std::u16string> WordsOf(SearchTree tree, uint32_t oid) const;

private:
    struct Positions {
        uint64_t epoch = ~uint64_t{0};
        uint32_t base = 0;                 // OID of index 0 of `direct`
        std::vector<uint32_t> direct;      // position by OID - base, kNone when absent
        std::vector<PairList::Pair> byOid;  // (OID, position) when OIDs are too sparse
    };
    static constexpr uint32_t kNone = UINT32_MAX;

    void MarkSparseOids(std::span<const uint32_t> oids, std::span<const PairList::Pair> byOid) const;
    [[nodiscard]] bool AddWords(const Entry& entry);
    [[nodiscard]] bool Record(WordTree& tree, uint32_t oid, std::span<const uint32_t> nodes);
    [[nodiscard]] bool RemoveFromTree(WordTree& tree, uint32_t oid);
    // For each stored order (name, file-as): where a held contact was found (kUnknownPlace: not
    // looked for) and whether it keeps that place.
    static constexpr size_t kUnknownPlace = SIZE_MAX;
    struct OrderPlace {
        size_t at = kUnknownPlace;
        bool kept = false;
    };
    using OrderPlaces = std::array<OrderPlace, 2>;
    struct OrderOf {
        IndexFormat::HeaderWord word;
        IndexComparator* comparator;
    };
    std::array<OrderOf, 2> Orders() {
        return {{{IndexFormat::kOrderNameWord, &byName_}, {IndexFormat::kOrderFileAsWord, &byFileAs_}}};
    }
    OrderPlaces OrdersInPlace(uint32_t oid, SortKeySource& source);
    IndexChange RemoveContact(uint32_t oid, const OrderPlaces& places);
    [[nodiscard]] bool AddOrders(uint32_t oid, SortKeySource& source, const OrderPlaces& places);
    [[nodiscard]] bool RemoveFromOrder(IndexFormat::HeaderWord word, uint32_t oid, size_t at);
    [[nodiscard]] bool AddSlot(uint32_t oid, uint32_t slot);
    [[nodiscard]] bool RemoveSlot(uint32_t oid);
    [[nodiscard]] bool FillTrees(std::span<const Entry> entries);
    [[nodiscard]] bool FillOrders(std::span<const Entry> entries);
    struct TreeFill;
    void GatherTree(TreeFill& fill, std::span<const Entry> entries, bool groups) const;
    [[nodiscard]] bool FillTree(WordTree& tree, const TreeFill& fill, std::span<const Entry> entries);
    [[nodiscard]] bool FillSlots(std::span<const Entry> entries);
    [[nodiscard]] bool FillCategories(std::span<const Entry> entries);
    std::u16string GroupKeyOf(std::u16string_view word) const;
    const Positions& PositionsOf(IndexOrder order) const;
    // Replaces `oids` with the contacts of every word of `tree` that begins with `prefix`
    // (unsorted, a contact once per word).
    void GatherUnder(const WordTree& tree, std::u16string_view prefix, std::vector<uint32_t>& oids) const;
    void MarkToken(WordTree const& tree, std::u16string_view token, const Positions& positions) const;
    void MarkOids(std::span<const uint32_t> oids, const Positions& positions) const;
    OidVector Collect(std::span<const uint32_t> list) const;
    void Changed() { ++epoch_; }

    const AbcGroupTable& groups_;
    IndexStore store_;
    WordTree text_;
    WordTree group_;
    CategoryLists categories_{store_};
    NameComparator byName_;
    FileAsComparator byFileAs_;
    SlotMap slots_;
    uint64_t epoch_ = 0;
    mutable Positions positions_[2];
    // The searches' working sets, kept to spare allocations.
    mutable MarkSet marks_;
    mutable std::vector<uint32_t> lists_;
};
