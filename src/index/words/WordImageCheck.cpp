#include "index/words/WordImageCheck.h"

#include "index/format/Words.h"
#include "index/words/WordsFormat.h"

using namespace WordsFormat;

WordImageCheck::WordImageCheck(IndexStore& store) : store_(store), base_(store.BaseAddress()) {}

bool WordImageCheck::Run() {
    using namespace IndexFormat;
    return TreeAndMap(kTextRootWord, kTextMapWord) && TreeAndMap(kGroupRootWord, kGroupMapWord) &&
           List(store_.HeaderWord(kOrderNameWord), 4) && List(store_.HeaderWord(kOrderFileAsWord), 4) &&
           List(store_.HeaderWord(kSlotTableWord), 8);
}

bool WordImageCheck::TreeAndMap(IndexFormat::HeaderWord root, IndexFormat::HeaderWord map) {
    nodes_.assign(store_.Length() / 4 / 64 + 1, 0);
    return Tree(store_.HeaderWord(root)) && Map(store_.HeaderWord(map));
}

uint32_t WordImageCheck::Word(uint32_t offset) const { return LoadWord(base_ + offset); }

bool WordImageCheck::IsNode(uint32_t offset) const {
    return offset % 4 == 0 && offset / 4 / 64 < nodes_.size() && (nodes_[offset / 4 / 64] >> (offset / 4 % 64) & 1) != 0;
}

// Marks the nodes of the tree from `root`. A node is only reached from the node its parent word
// names, through one link, so the walk meets each node once and ends.
bool WordImageCheck::Tree(uint32_t root) {
    if (root == 0) return true;
    if (!Node(root) || Word(root + kNodeParentAt) != 0) return false;
    std::vector<uint32_t> walk{root};
    while (!walk.empty()) {
        const uint32_t node = walk.back();
        walk.pop_back();
        nodes_[node / 4 / 64] |= uint64_t{1} << (node / 4 % 64);
        const uint32_t links[] = {Word(node + kNodeLowerAt), Word(node + kNodeEqualAt), Word(node + kNodeHigherAt)};
        for (size_t k = 0; k < 3; ++k) {
            const uint32_t child = links[k];
            if (child == 0) continue;
            if (child == links[(k + 1) % 3] || !Node(child) || Word(child + kNodeParentAt) != node) return false;
            walk.push_back(child);
        }
    }
    return true;
}

bool WordImageCheck::Node(uint32_t node) const {
    const uint32_t bytes = store_.BlockBytes(node);
    if (bytes < kPlainNodeBytes) return false;
    const uint8_t flag = base_[node + kNodeTailFlagAt];
    if (flag == kTailFlag) {
        // The rest of the word: zero-terminated within its block; a node with tail has no equal
        // child.
        if (bytes < kTailNodeBytes || Word(node + kNodeEqualAt) != 0) return false;
        const uint32_t tail = Word(node + kNodeTailAt);
        const uint32_t tailBytes = store_.BlockBytes(tail);
        uint32_t at = 0;
        while (at + 2 <= tailBytes && (base_[tail + at] | base_[tail + at + 1]) != 0) at += 2;
        if (at + 2 > tailBytes) return false;
    } else if (flag != 0) {
        return false;
    }
    return List(Word(node + kNodeListAt), 4);
}

// A count-prefixed list of `itemBytes` items (0: none).
bool WordImageCheck::List(uint32_t offset, uint32_t itemBytes) const {
    if (offset == 0) return true;
    const uint32_t bytes = store_.BlockBytes(offset);
    return bytes >= kItemsAt && kItemsAt + uint64_t{Word(offset + kCountAt)} * itemBytes <= bytes;
}

bool WordImageCheck::Map(uint32_t map) const {
    if (!List(map, 8)) return false;
    const uint32_t count = map == 0 ? 0 : Word(map + kCountAt);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t pair = map + kItemsAt + 8 * i;
        if (i > 0 && Word(pair) <= Word(pair - 8)) return false;  // ascending by OID
        if (!Chunks(Word(pair + 4))) return false;
    }
    return true;
}

// One contact's circle of node chunks. Each step checks that the next chunk names this one as
// its previous, so the walk comes back to the first chunk or fails.
bool WordImageCheck::Chunks(uint32_t first) const {
    uint32_t chunk = first;
    do {
        if (store_.BlockBytes(chunk) < kChunkBytes || Word(chunk + kChunkUsedAt) > kChunkCapacity) return false;
        for (uint32_t i = 0; i < Word(chunk + kChunkUsedAt); ++i) {
            if (!IsNode(Word(chunk + kChunkNodesAt + 4 * i))) return false;
        }
        const uint32_t next = Word(chunk + kChunkNextAt);
        if (store_.BlockBytes(next) < kChunkBytes || Word(next + kChunkPrevAt) != chunk) return false;
        chunk = next;
    } while (chunk != first);
    return true;
}
