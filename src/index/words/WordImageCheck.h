#pragma once
// The check of the word index's records when pim_index1.dat is read from its file: every offset
// the word index follows must name a block in use of the heap, large enough for its record:
// - the two trees: each node, its tail string (ended within its block), its OID list; each child
//   names its parent as the node it hangs from;
// - the two contact maps, ascending by OID, and their circles of node chunks (next and previous
//   links agree, at most 20 entries used, every entry a node of the map's tree);
// - the two orders, the slot table, the category table (ascending by id) with each category's
//   list, and the list of the uncategorised contacts;
// - the slot table names each contact once and each order lists exactly those contacts, once;
// and no two records share a block (a list freed through one node would stay in use by another).
// The checksum already refuses damaged files; this refuses a file whose checksum matches but
// whose records a faulty or foreign writer left wrong, before any reader follows them. Such a
// file counts as damaged: the index is rebuilt.
#include <cstdint>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/heap/StoreHeap.h"

class WordImageCheck {
public:
    // The image as read from its file, its heap walked: its last block's footer still holds the
    // file's length word, and `lastTag` is that block's tag.
    WordImageCheck(const uint8_t* image, uint32_t length, int32_t lastTag);

    [[nodiscard]] bool Run();

private:
    [[nodiscard]] bool TreeAndMap(IndexFormat::HeaderWord root, IndexFormat::HeaderWord map);
    [[nodiscard]] bool Tree(uint32_t root);
    [[nodiscard]] bool Node(uint32_t node);
    [[nodiscard]] bool List(uint32_t offset, uint32_t itemBytes);
    [[nodiscard]] bool Map(uint32_t map);
    [[nodiscard]] bool Chunks(uint32_t first);
    [[nodiscard]] bool Categories(uint32_t table);
    [[nodiscard]] bool OrdersListEveryContactOnce() const;
    std::vector<uint32_t> SortedItems(uint32_t offset, uint32_t itemBytes) const;
    // The bytes of the block in use whose payload starts at image offset `offset`; 0 when none does.
    uint32_t BlockBytes(uint32_t offset) const;
    // The bytes of the block in use at `offset` when they are at least `minBytes` and no record
    // claimed the block before; 0 otherwise.
    uint32_t Claim(uint32_t offset, uint32_t minBytes);
    uint32_t Word(uint32_t offset) const;
    uint32_t HeaderWord(IndexFormat::HeaderWord word) const { return Word(4 * word); }

    const uint8_t* base_;
    StoreHeap heap_;
    uint32_t lastPayload_;  // image offset of the last block's payload
    int32_t lastTag_;
    // One bit per 4-byte image offset: the blocks claimed by a record of this part of the check,
    // and the nodes of the tree at hand.
    std::vector<uint64_t> claimed_;
    std::vector<uint64_t> nodes_;
};
