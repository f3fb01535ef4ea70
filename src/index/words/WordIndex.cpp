#include "index/words/WordIndex.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "index/alphabet/AbcGroupTable.h"
#include "index/mapped/BothHold.h"
#include "index/words/ContactWords.h"
#include "index/words/NodeChunks.h"
#include "index/words/Tokenizer.h"
#include "index/words/WordImageCheck.h"
#include "platform/locale/Locale.h"

using IndexFormat::HeaderWord;

namespace {

HeaderWord OrderWord(IndexOrder order) {
    return order == IndexOrder::Name ? IndexFormat::kOrderNameWord : IndexFormat::kOrderFileAsWord;
}

bool IsSpace(char16_t ch) {
    return ch == u' ' || (ch >= u'\t' && ch <= u'\r') || ch == 0x85 || ch == 0xA0 || ch == 0x1680 ||
           (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 || ch == 0x2029 || ch == 0x202F ||
           ch == 0x205F || ch == 0x3000;
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

// A slot for a position array over the OIDs from `base` when they are dense enough.
constexpr uint64_t kDenseFactor = 4;
constexpr uint64_t kDenseSlack = 65536;

}  // namespace

WordIndex::WordIndex(const AbcGroupTable& groups, std::u16string path, uint64_t viewBytes)
    : groups_(groups),
      store_(std::move(path), viewBytes),
      text_(store_, IndexFormat::kTextRootWord, IndexFormat::kTextMapWord),
      group_(store_, IndexFormat::kGroupRootWord, IndexFormat::kGroupMapWord) {}

bool WordIndex::Create() {
    slots_.Clear();
    Changed();
    return store_.Create();
}

bool WordIndex::Open() {
    slots_.Clear();
    Changed();
    // A live image is in use by its holder, which made it; a file's records are checked before use.
    const auto records = [](const uint8_t* image, uint32_t length, int32_t lastTag) {
        return WordImageCheck(image, length, lastTag).Run();
    };
    if (!store_.Open(records)) return false;
    slots_.Assign(SlotTable());
    return true;
}

void WordIndex::Close() {
    store_.Close();
    slots_.Clear();
    Changed();
}

std::u16string WordIndex::GroupKeyOf(std::u16string_view word) const {
    return std::u16string(groups_.GroupKey(word).View());
}

// --- Adding and removing ------------------------------------------------------------------------

IndexChange WordIndex::AddContact(const Entry& entry, SortKeySource& source) {
    const bool held = slots_.Contains(entry.oid);
    const OrderPlaces places = held ? OrdersInPlace(entry.oid, source) : OrderPlaces{};
    if (held && RemoveContact(entry.oid, places) == IndexChange::Failed) return IndexChange::Failed;
    Changed();
    const bool added = AddWords(entry) && AddSlot(entry.oid, entry.slot) &&
                       categories_.Add(entry.oid, entry.categories) && AddOrders(entry.oid, source, places);
    return added ? IndexChange::Done : IndexChange::Failed;
}

bool WordIndex::AddWords(const Entry& entry) {
    std::vector<uint32_t> textNodes, groupNodes;
    for (const IndexWord& word : entry.words) {
        const std::optional<uint32_t> node = text_.Insert(word.text, entry.oid);
        if (!node) return false;
        if (*node != 0) textNodes.push_back(*node);
        if (word.textOnly) continue;
        const std::u16string key = GroupKeyOf(word.text);
        if (key.empty()) continue;
        const std::optional<uint32_t> keyNode = group_.Insert(key, entry.oid);
        if (!keyNode) return false;
        if (*keyNode != 0) groupNodes.push_back(*keyNode);
    }
    return Record(text_, entry.oid, textNodes) && Record(group_, entry.oid, groupNodes);
}

// Appends `nodes` to the contact's chunks in `tree`, making its map entry when it has none.
bool WordIndex::Record(WordTree& tree, uint32_t oid, std::span<const uint32_t> nodes) {
    if (nodes.empty()) return true;
    const std::span<const PairList::Pair> map = PairList::View(store_, tree.Map());
    const auto at = std::lower_bound(map.begin(), map.end(), oid,
                                     [](const PairList::Pair& p, uint32_t o) { return p.oid < o; });
    const bool known = at != map.end() && at->oid == oid;
    const size_t index = static_cast<size_t>(at - map.begin());
    const std::optional<uint32_t> first = NodeChunks::Append(store_, known ? at->value : 0, nodes);
    if (!first || known) return first.has_value();
    const std::optional<uint32_t> placed =
        PairList::Replace(store_, tree.Map(), static_cast<uint32_t>(index), PairList::Pair{oid, *first});
    if (placed) tree.SetMap(*placed);
    return placed.has_value();
}

bool WordIndex::AddSlot(uint32_t oid, uint32_t slot) {
    const auto count = static_cast<uint32_t>(SlotTable().size());
    const std::optional<uint32_t> table =
        PairList::Replace(store_, store_.HeaderWord(IndexFormat::kSlotTableWord), count, PairList::Pair{oid, slot});
    if (!table) return false;
    store_.SetHeaderWord(IndexFormat::kSlotTableWord, *table);
    slots_.Set(oid, slot);
    return true;
}

// A changed contact usually keeps its place in an order (most edits leave its names alone): two
// reads of its neighbours then replace a search of some seventeen and two moves of the list.
// The place found is handed to the removal, which then need not look for it again.
WordIndex::OrderPlaces WordIndex::OrdersInPlace(uint32_t oid, SortKeySource& source) {
    OrderPlaces places;
    const auto orders = Orders();
    for (size_t i = 0; i < places.size(); ++i) {
        const auto [word, cmp] = orders[i];
        const std::span<const uint32_t> list = OidList::View(store_, store_.HeaderWord(word));
        cmp->SetSource(&source);
        places[i].at = static_cast<size_t>(std::find(list.begin(), list.end(), oid) - list.begin());
        places[i].kept = StillInPlace(list, places[i].at, *cmp);
    }
    return places;
}

bool WordIndex::AddOrders(uint32_t oid, SortKeySource& source, const OrderPlaces& places) {
    const auto orders = Orders();
    for (size_t i = 0; i < places.size(); ++i) {
        if (places[i].kept) continue;
        const auto [word, cmp] = orders[i];
        cmp->SetSource(&source);
        uint32_t list = store_.HeaderWord(word);
        const bool ok = InsertOrdered(store_, list, oid, *cmp);
        store_.SetHeaderWord(word, list);
        if (!ok) return false;
    }
    return true;
}

IndexChange WordIndex::RemoveContact(uint32_t oid) { return RemoveContact(oid, OrderPlaces{}); }

// Every part is removed even after one failed, and even for a contact without a slot (what a failed
// add left), so that as little as possible of the contact stays; only the places kept stay.
IndexChange WordIndex::RemoveContact(uint32_t oid, const OrderPlaces& places) {
    Changed();
    const bool held = slots_.Contains(oid);
    bool ok = RemoveFromTree(text_, oid) && RemoveFromTree(group_, oid);
    const auto orders = Orders();
    for (size_t i = 0; i < places.size(); ++i) {
        if (!places[i].kept) ok = RemoveFromOrder(orders[i].word, oid, places[i].at) && ok;
    }
    ok = categories_.Remove(oid) && ok;
    ok = RemoveSlot(oid) && ok;
    if (!ok) return IndexChange::Failed;
    return held ? IndexChange::Done : IndexChange::NotHeld;
}

bool WordIndex::RemoveFromTree(WordTree& tree, uint32_t oid) {
    const std::span<const PairList::Pair> map = PairList::View(store_, tree.Map());
    const auto at = std::lower_bound(map.begin(), map.end(), oid,
                                     [](const PairList::Pair& p, uint32_t o) { return p.oid < o; });
    if (at == map.end() || at->oid != oid) return true;
    const uint32_t first = at->value;
    const auto index = static_cast<uint32_t>(at - map.begin());
    std::vector<uint32_t> pending = NodeChunks::Read(store_, first);
    std::unordered_set<uint32_t> done;
    for (uint32_t node : pending) {
        if (done.contains(node)) continue;
        std::vector<uint32_t> visited, freed;
        if (!tree.RemoveAlongChain(node, oid, visited, freed)) return false;
        done.insert(visited.begin(), visited.end());
        done.insert(freed.begin(), freed.end());
    }
    NodeChunks::Free(store_, first);
    const std::optional<uint32_t> placed = PairList::Replace(store_, tree.Map(), index, std::nullopt);
    if (placed) tree.SetMap(*placed);
    return placed.has_value();
}

// `at` is where the contact was last seen in the list; elsewhere (or unknown) it is looked for.
bool WordIndex::RemoveFromOrder(HeaderWord word, uint32_t oid, size_t at) {
    const uint32_t list = store_.HeaderWord(word);
    const std::span<const uint32_t> oids = OidList::View(store_, list);
    if (at >= oids.size() || oids[at] != oid)
        at = static_cast<size_t>(std::find(oids.begin(), oids.end(), oid) - oids.begin());
    if (at == oids.size()) return true;
    const std::optional<uint32_t> next =
        OidList::Replace(store_, list, static_cast<uint32_t>(at), std::nullopt);
    if (next) store_.SetHeaderWord(word, *next);
    return next.has_value();
}

bool WordIndex::RemoveSlot(uint32_t oid) {
    slots_.Erase(oid);
    const std::span<const PairList::Pair> pairs = SlotTable();
    const auto at = std::find_if(pairs.begin(), pairs.end(), [oid](const auto& p) { return p.oid == oid; });
    if (at == pairs.end()) return true;
    const std::optional<uint32_t> table = PairList::Replace(
        store_, store_.HeaderWord(IndexFormat::kSlotTableWord), static_cast<uint32_t>(at - pairs.begin()), std::nullopt);
    if (table) store_.SetHeaderWord(IndexFormat::kSlotTableWord, *table);
    return table.has_value();
}

// --- Bulk fill ----------------------------------------------------------------------------------

bool WordIndex::Fill(std::span<const Entry> entries) {
    Changed();
    return FillTrees(entries) && FillSlots(entries) && FillCategories(entries) && FillOrders(entries);
}

// One word tree's part of a bulk fill, worked out in memory before any of it is written: its
// distinct words in order, each with the contacts that use it, and each contact's words in the
// order it first uses them (the order adding it records them in).
struct WordIndex::TreeFill {
    std::unordered_map<std::u16string, uint32_t> indexOf;  // word -> its index in `words`
    std::vector<std::u16string> words;
    std::vector<std::vector<uint32_t>> used;  // per entry, its words' indexes in first-use order
    std::vector<size_t> lastUser;             // per word, 1 + the last entry that used it
    std::vector<uint32_t> rank;               // per word, its place in `sorted`
    std::vector<std::u16string> sorted;
    std::vector<std::vector<uint32_t>> lists;  // per sorted word, its contacts in ascending order

    // The entries use their words in turn (`k` never goes back), so a word already used by entry
    // `k` is the one whose last user is `k`.
    void Use(const std::u16string& word, size_t k) {
        if (word.empty()) return;
        const auto [it, fresh] = indexOf.try_emplace(word, static_cast<uint32_t>(words.size()));
        if (fresh) {
            words.push_back(word);
            lastUser.push_back(0);
        }
        if (lastUser[it->second] == k + 1) return;
        lastUser[it->second] = k + 1;
        used[k].push_back(it->second);
    }

    // Once sorted, the words move to `sorted` and what found them is let go: the two trees are
    // held at once, at the largest moment of a rebuild.
    void Sort(std::span<const Entry> entries) {
        std::vector<uint32_t> byWord(words.size());
        std::iota(byWord.begin(), byWord.end(), 0u);
        std::sort(byWord.begin(), byWord.end(), [&](uint32_t a, uint32_t b) { return words[a] < words[b]; });
        rank.resize(words.size());
        sorted.reserve(words.size());
        for (uint32_t r = 0; r < byWord.size(); ++r) {
            rank[byWord[r]] = r;
            sorted.push_back(std::move(words[byWord[r]]));
        }
        indexOf = {};
        words = {};
        lastUser = {};
        lists.resize(sorted.size());
        for (size_t k = 0; k < entries.size(); ++k) {
            for (const uint32_t word : used[k]) lists[rank[word]].push_back(entries[k].oid);
        }
        for (std::vector<uint32_t>& list : lists) std::sort(list.begin(), list.end());
    }
};

// Each tree is built at once from its distinct words (see WordTree::Build); each contact then
// records the nodes of its words in the order it first uses them, as adding it does. The two
// trees' words are gathered and sorted at once, on two threads (they share only the entries and
// the alphabet groups, which neither changes); the trees are then written one after the other.
bool WordIndex::FillTrees(std::span<const Entry> entries) {
    TreeFill text, groups;
    (void)BothHold(  // both sides always hold
        [&] {
            GatherTree(groups, entries, true);
            return true;
        },
        [&] {
            GatherTree(text, entries, false);
            return true;
        });
    return FillTree(text_, text, entries) && FillTree(group_, groups, entries);
}

void WordIndex::GatherTree(TreeFill& fill, std::span<const Entry> entries, bool groups) const {
    fill.used.resize(entries.size());
    for (size_t k = 0; k < entries.size(); ++k) {
        for (const IndexWord& word : entries[k].words) {
            if (!groups) {
                fill.Use(word.text, k);
            } else if (!word.textOnly) {
                fill.Use(GroupKeyOf(word.text), k);
            }
        }
        fill.used[k].shrink_to_fit();  // held for every contact until the tree is built
    }
    fill.Sort(entries);
}

bool WordIndex::FillTree(WordTree& tree, const TreeFill& fill, std::span<const Entry> entries) {
    std::vector<uint32_t> nodes;
    if (!tree.Build(fill.sorted, fill.lists, nodes)) return false;
    std::vector<PairList::Pair> map;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (fill.used[k].empty()) continue;
        std::vector<uint32_t> recorded;
        for (const uint32_t word : fill.used[k]) recorded.push_back(nodes[fill.rank[word]]);
        const std::optional<uint32_t> first = NodeChunks::Append(store_, 0, recorded);
        if (!first) return false;
        map.push_back({entries[k].oid, *first});
    }
    std::sort(map.begin(), map.end(), [](const auto& a, const auto& b) { return a.oid < b.oid; });
    const std::optional<uint32_t> written = PairList::Rewrite(store_, tree.Map(), map);
    if (written) tree.SetMap(*written);
    return written.has_value();
}

bool WordIndex::FillSlots(std::span<const Entry> entries) {
    std::vector<PairList::Pair> pairs(SlotTable().begin(), SlotTable().end());
    for (const Entry& entry : entries) pairs.push_back({entry.oid, entry.slot});
    slots_.Assign(pairs);
    const std::optional<uint32_t> table =
        PairList::Rewrite(store_, store_.HeaderWord(IndexFormat::kSlotTableWord), pairs);
    if (table) store_.SetHeaderWord(IndexFormat::kSlotTableWord, *table);
    return table.has_value();
}

bool WordIndex::FillCategories(std::span<const Entry> entries) {
    std::map<uint32_t, std::vector<uint32_t>> byCategory;
    std::vector<uint32_t> uncategorised;
    for (const Entry& entry : entries) {
        if (!entry.categories.numbered) continue;
        if (entry.categories.ids.empty()) uncategorised.push_back(entry.oid);
        for (const uint32_t id : entry.categories.ids) byCategory[id].push_back(entry.oid);
    }
    for (auto& [id, oids] : byCategory) {
        std::sort(oids.begin(), oids.end());
        oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
    }
    std::sort(uncategorised.begin(), uncategorised.end());
    return categories_.Fill(byCategory, uncategorised);
}

bool WordIndex::FillOrders(std::span<const Entry> entries) {
    for (auto [word, cmp] : {std::pair<HeaderWord, const IndexComparator*>{IndexFormat::kOrderNameWord, &byName_},
                             {IndexFormat::kOrderFileAsWord, &byFileAs_}}) {
        std::vector<std::pair<Str, uint32_t>> keyed;
        keyed.reserve(entries.size());
        for (const Entry& entry : entries) keyed.emplace_back(cmp->KeyText(entry.keys), entry.oid);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return IndexComparator::CompareKeys(a.first, a.second, b.first, b.second) < 0;
        });
        std::vector<uint32_t> oids;
        oids.reserve(keyed.size());
        for (const auto& k : keyed) oids.push_back(k.second);
        store_.FreeAddress(store_.ToAddress(store_.HeaderWord(word)));
        const std::optional<uint32_t> list = OidList::Make(store_, oids);
        store_.SetHeaderWord(word, list.value_or(0));
        if (!list) return false;
    }
    return true;
}

// --- Lookups ------------------------------------------------------------------------------------

std::optional<uint32_t> WordIndex::FindSlot(uint32_t oid) const {
    return slots_.Find(oid);
}

std::span<const uint32_t> WordIndex::Order(IndexOrder order) const {
    return OidList::View(const_cast<IndexStore&>(store_), store_.HeaderWord(OrderWord(order)));
}

std::span<const PairList::Pair> WordIndex::SlotTable() const {
    return PairList::View(const_cast<IndexStore&>(store_), store_.HeaderWord(IndexFormat::kSlotTableWord));
}

const WordIndex::Positions& WordIndex::PositionsOf(IndexOrder order) const {
    Positions& p = positions_[static_cast<int>(order)];
    if (p.epoch == epoch_) return p;
    const std::span<const uint32_t> list = Order(order);
    p = Positions{};
    p.epoch = epoch_;
    if (list.empty()) return p;
    const auto [lo, hi] = std::minmax_element(list.begin(), list.end());
    if (uint64_t{*hi} - *lo <= kDenseFactor * list.size() + kDenseSlack) {
        p.base = *lo;
        p.direct.assign(uint64_t{*hi} - *lo + 1, kNone);
        for (uint32_t i = 0; i < list.size(); ++i) p.direct[list[i] - *lo] = i;
    } else {
        p.byOid.reserve(list.size());
        for (uint32_t i = 0; i < list.size(); ++i) p.byOid.push_back({list[i], i});
        std::sort(p.byOid.begin(), p.byOid.end(), [](const auto& a, const auto& b) { return a.oid < b.oid; });
    }
    return p;
}

void WordIndex::GatherUnder(const WordTree& tree, std::u16string_view prefix,
                            std::vector<uint32_t>& oids) const {
    oids.clear();
    const uint32_t node = tree.FindPrefix(prefix);
    if (node == 0) return;
    tree.ListsUnder(node, lists_);
    IndexStore& store = const_cast<IndexStore&>(store_);
    for (const uint32_t list : lists_) {
        const std::span<const uint32_t> listed = OidList::View(store, list);
        oids.insert(oids.end(), listed.begin(), listed.end());
    }
}

// Marks the positions of the contacts having a word that begins with `token`, list by list as the
// lists lie in the image (a broad search would otherwise copy a good part of them first).
void WordIndex::MarkToken(const WordTree& tree, std::u16string_view token, const Positions& positions) const {
    const uint32_t node = tree.FindPrefix(token);
    if (node == 0) return;
    tree.ListsUnder(node, lists_);
    IndexStore& store = const_cast<IndexStore&>(store_);
    for (const uint32_t list : lists_) MarkOids(OidList::View(store, list), positions);
}

// A broad search looks up the positions of a large part of the list, at random in a table that
// outgrows the processor's caches with a million contacts: each lookup is asked of memory some
// OIDs ahead of its use, so that many are under way at once.
void WordIndex::MarkOids(std::span<const uint32_t> oids, const Positions& positions) const {
    if (positions.direct.empty()) return MarkSparseOids(oids, positions.byOid);
    constexpr size_t kAhead = 16;
    const std::span<const uint32_t> direct = positions.direct;
    // An OID below the base wraps to a slot past the end.
    const auto slot = [&](uint32_t oid) { return static_cast<size_t>(oid - positions.base); };
    for (size_t i = 0; i < oids.size(); ++i) {
        if (i + kAhead < oids.size() && slot(oids[i + kAhead]) < direct.size()) {
            __builtin_prefetch(&direct[slot(oids[i + kAhead])]);
        }
        const size_t at = slot(oids[i]);
        if (at < direct.size() && direct[at] != kNone) marks_.Mark(direct[at]);
    }
}

// The OIDs come in ascending runs (each word's list is sorted), so each is looked for from where
// the one before it was found, in steps that double: a broad search walks the table forward
// instead of searching all of it for every OID. A run's end starts the next from the beginning.
void WordIndex::MarkSparseOids(std::span<const uint32_t> oids, std::span<const PairList::Pair> byOid) const {
    size_t from = 0;
    uint32_t previous = 0;
    for (const uint32_t oid : oids) {
        if (oid < previous) from = 0;
        previous = oid;
        size_t step = 1;
        size_t lo = from;
        while (lo + step < byOid.size() && byOid[lo + step].oid < oid) {
            lo += step;
            step *= 2;
        }
        const size_t hi = std::min(byOid.size(), lo + step + 1);
        from = static_cast<size_t>(std::lower_bound(byOid.begin() + static_cast<std::ptrdiff_t>(lo),
                                                    byOid.begin() + static_cast<std::ptrdiff_t>(hi), oid,
                                                    [](const PairList::Pair& a, uint32_t o) { return a.oid < o; }) -
                                   byOid.begin());
        if (from < byOid.size() && byOid[from].oid == oid) marks_.Mark(byOid[from].value);
    }
}

OidVector WordIndex::Collect(std::span<const uint32_t> list) const {
    OidVector out;
    marks_.Ascending(out);
    for (uint32_t& at : out) at = list[at];  // each position becomes the OID listed there
    return out;
}

OidVector WordIndex::Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                            SearchTree tree) const {
    const std::vector<std::u16string> tokens = Tokens(Trimmed(query));
    const std::span<const uint32_t> list = Order(order);
    if (tokens.empty() || list.empty()) return {};
    const Positions& positions = PositionsOf(order);
    marks_.Begin(list.size());
    for (const std::u16string& token : tokens) {
        marks_.NextPass();
        // Group keys are letters of the groups' own, looked up as they are.
        MarkToken(Tree(tree), tree == SearchTree::Text ? SearchSpelling(token) : token, positions);
        if (marks_.EndPass() == 0) return {};
    }
    if (filter != nullptr) {
        marks_.NextPass();
        MarkOids(*filter, positions);
        marks_.EndPass();
    }
    return Collect(list);
}

OidVector WordIndex::ListAll(IndexOrder order, const OidVector* filter) const {
    const std::span<const uint32_t> list = Order(order);
    if (filter == nullptr) return OidVector(list.begin(), list.end());
    marks_.Begin(list.size());
    marks_.NextPass();
    MarkOids(*filter, PositionsOf(order));
    marks_.EndPass();
    return Collect(list);
}

size_t WordIndex::WordCount() const {
    size_t words = 0;
    if (IsOpen())
        text_.ForEachWord(
            [&words](const std::u16string& word, uint32_t) { words += word != kSimContactKey; });
    return words;
}

OidVector WordIndex::Holders(std::u16string_view key) const {
    if (!IsOpen()) return {};
    OidVector holders;
    GatherUnder(text_, key, holders);
    std::sort(holders.begin(), holders.end());
    holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
    return holders;
}

// --- Inspection ---------------------------------------------------------------------------------

std::set<std::u16string> WordIndex::WordsOf(SearchTree which, uint32_t oid) const {
    const WordTree& tree = Tree(which);
    std::set<std::u16string> words;
    std::unordered_map<uint32_t, std::u16string> wordOf;
    tree.ForEachWord([&](const std::u16string& word, uint32_t node) { wordOf[node] = word; });
    IndexStore& store = const_cast<IndexStore&>(store_);
    for (const PairList::Pair& pair : PairList::View(store, tree.Map())) {
        if (pair.oid != oid) continue;
        for (uint32_t node : NodeChunks::Read(store, pair.value)) {
            for (uint32_t at = node; at != 0; at = tree.Equal(at)) {
                const std::span<const uint32_t> list = OidList::View(store, tree.List(at));
                if (std::binary_search(list.begin(), list.end(), oid)) words.insert(wordOf[at]);
            }
        }
    }
    return words;
}
