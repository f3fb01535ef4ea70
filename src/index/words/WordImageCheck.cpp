#include "index/words/WordImageCheck.h"

#include <algorithm>

#include "index/format/Words.h"
#include "index/mapped/BothHold.h"
#include "index/words/RadixSort.h"
#include "index/words/WordsFormat.h"

using namespace WordsFormat;

namespace {

// How many contacts ahead the map walk asks for a contact's first chunk.
constexpr uint32_t kChunkLookahead = 8;

bool Has(const std::vector<uint64_t>& bits, uint32_t offset) {
    return offset % 4 == 0 && offset / 256 < bits.size() && (bits[offset / 256] >> (offset / 4 % 64) & 1) != 0;
}

void Set(std::vector<uint64_t>& bits, uint32_t offset) { bits[offset / 256] |= uint64_t{1} << (offset / 4 % 64); }

}  // namespace

WordImageCheck::WordImageCheck(const uint8_t* image, uint32_t length, int32_t lastTag)
    : base_(image),
      lastPayload_(length - IndexFormat::kBlockTagBytes - StoreHeap::TagSize(lastTag)),
      lastTag_(lastTag),
      claimed_(length / 256 + 1, 0) {
    heap_.Attach(const_cast<uint8_t*>(image) + IndexFormat::kHeapOffset);  // only read here
}

// The text tree with its map, the largest part, is checked on a thread of its own beside the rest.
// Each part claims blocks in a bitmap of its own; a block claimed by both is found when they are
// joined.
bool WordImageCheck::Run() {
    using namespace IndexFormat;
    WordImageCheck text(*this);
    const bool parts =
        BothHold([&text] { return text.TreeAndMap(kTextRootWord, kTextMapWord); },
                 [this] {
                     return TreeAndMap(kGroupRootWord, kGroupMapWord) &&
                            List(HeaderWord(kOrderNameWord), 4) && List(HeaderWord(kOrderFileAsWord), 4) &&
                            List(HeaderWord(kSlotTableWord), 8) && Categories(HeaderWord(kCategoriesWord)) &&
                            List(HeaderWord(kUncategorisedWord), 4) && OrdersListEveryContactOnce();
                 });
    if (!parts) return false;
    for (size_t i = 0; i < claimed_.size(); ++i) {
        if ((claimed_[i] & text.claimed_[i]) != 0) return false;
    }
    return true;
}

// The last block's footer is read as its tag: the file keeps its length word there.
uint32_t WordImageCheck::BlockBytes(uint32_t offset) const {
    using namespace IndexFormat;
    if (offset == lastPayload_) return lastTag_ > 0 ? static_cast<uint32_t>(lastTag_) : 0;
    return offset > kHeapOffset ? heap_.BlockSize(offset - kHeapOffset) : 0;
}

// The OIDs of the count-prefixed list at `offset` (checked by List before), sorted.
std::vector<uint32_t> WordImageCheck::SortedItems(uint32_t offset, uint32_t itemBytes) const {
    std::vector<uint32_t> oids(offset == 0 ? 0 : Word(offset + kCountAt));
    for (uint32_t i = 0; i < oids.size(); ++i) oids[i] = Word(offset + kItemsAt + itemBytes * i);
    RadixSort(oids);
    return oids;
}

// The slot table holds each contact once, and each order lists exactly its contacts, each once:
// a list drawn from an order would otherwise show a contact twice or leave one out.
bool WordImageCheck::OrdersListEveryContactOnce() const {
    using namespace IndexFormat;
    const std::vector<uint32_t> held = SortedItems(HeaderWord(kSlotTableWord), 8);
    if (std::adjacent_find(held.begin(), held.end()) != held.end()) return false;
    return SortedItems(HeaderWord(kOrderNameWord), 4) == held &&
           SortedItems(HeaderWord(kOrderFileAsWord), 4) == held;
}

// The category table, ascending by id, and each category's list.
bool WordImageCheck::Categories(uint32_t table) {
    if (!List(table, 8)) return false;
    const uint32_t count = table == 0 ? 0 : Word(table + kCountAt);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t pair = table + kItemsAt + 8 * i;
        if ((i > 0 && Word(pair) <= Word(pair - 8)) || !List(Word(pair + 4), 4)) return false;
    }
    return true;
}

bool WordImageCheck::TreeAndMap(IndexFormat::HeaderWord root, IndexFormat::HeaderWord map) {
    nodes_.assign(claimed_.size(), 0);
    return Tree(HeaderWord(root)) && Map(HeaderWord(map));
}

uint32_t WordImageCheck::Word(uint32_t offset) const { return LoadWord(base_ + offset); }

uint32_t WordImageCheck::Claim(uint32_t offset, uint32_t minBytes) {
    const uint32_t bytes = BlockBytes(offset);
    if (bytes < minBytes || Has(claimed_, offset)) return 0;
    Set(claimed_, offset);
    return bytes;
}

// Marks the nodes of the tree from `root`. A node is only reached from the node its parent word
// names, and a block is claimed once, so the walk meets each node once and ends.
bool WordImageCheck::Tree(uint32_t root) {
    if (root == 0) return true;
    if (!Node(root) || Word(root + kNodeParentAt) != 0) return false;
    std::vector<uint32_t> walk{root};
    while (!walk.empty()) {
        const uint32_t node = walk.back();
        walk.pop_back();
        // Pushed so that the lower siblings are met first, then the words continuing the node,
        // then the higher siblings: the order in which a rebuild lays the nodes out.
        for (const uint32_t link : {kNodeHigherAt, kNodeEqualAt, kNodeLowerAt}) {
            const uint32_t child = Word(node + link);
            if (child == 0) continue;
            if (BlockBytes(child) < kPlainNodeBytes || Word(child + kNodeParentAt) != node || !Node(child)) {
                return false;
            }
            walk.push_back(child);
        }
    }
    return true;
}

bool WordImageCheck::Node(uint32_t node) {
    const uint32_t bytes = Claim(node, kPlainNodeBytes);
    if (bytes == 0) return false;
    Set(nodes_, node);
    const uint8_t flag = base_[node + kNodeTailFlagAt];
    if (flag == kTailFlag) {
        // The rest of the word: zero-terminated within its block; a node with tail has no equal
        // child.
        if (bytes < kTailNodeBytes || Word(node + kNodeEqualAt) != 0) return false;
        const uint32_t tail = Word(node + kNodeTailAt);
        const uint32_t tailBytes = Claim(tail, 2);
        uint32_t at = 0;
        while (at + 2 <= tailBytes && (base_[tail + at] | base_[tail + at + 1]) != 0) at += 2;
        if (at + 2 > tailBytes) return false;
    } else if (flag != 0) {
        return false;
    }
    return List(Word(node + kNodeListAt), 4);
}

// A count-prefixed list of `itemBytes` items (0: none).
bool WordImageCheck::List(uint32_t offset, uint32_t itemBytes) {
    if (offset == 0) return true;
    const uint32_t bytes = Claim(offset, kItemsAt);
    return bytes != 0 && kItemsAt + uint64_t{Word(offset + kCountAt)} * itemBytes <= bytes;
}

bool WordImageCheck::Map(uint32_t map) {
    if (!List(map, 8)) return false;
    const uint32_t count = map == 0 ? 0 : Word(map + kCountAt);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t pair = map + kItemsAt + 8 * i;
        // The contacts' chunks lie anywhere in the image: asking for a later contact's first chunk
        // now lets its load overlap the walks before it (the map itself was checked to hold it).
        if (i + kChunkLookahead < count) __builtin_prefetch(base_ + Word(pair + 8 * kChunkLookahead + 4));
        if (i > 0 && Word(pair) <= Word(pair - 8)) return false;  // ascending by OID
        if (!Chunks(Word(pair + 4))) return false;
    }
    return true;
}

// One contact's circle of node chunks. Each step checks that the next chunk names this one as
// its previous, so the walk comes back to the first chunk or fails.
bool WordImageCheck::Chunks(uint32_t first) {
    uint32_t chunk = first;
    do {
        if (Claim(chunk, kChunkBytes) == 0 || Word(chunk + kChunkUsedAt) > kChunkCapacity) return false;
        for (uint32_t i = 0; i < Word(chunk + kChunkUsedAt); ++i) {
            if (!Has(nodes_, Word(chunk + kChunkNodesAt + 4 * i))) return false;
        }
        const uint32_t next = Word(chunk + kChunkNextAt);
        if (BlockBytes(next) < kChunkBytes || Word(next + kChunkPrevAt) != chunk) return false;
        chunk = next;
    } while (chunk != first);
    return true;
}
