#pragma once
// The heap of pim_index1.dat: variable-sized blocks with boundary tags and one circular,
// address-ordered, doubly linked free list, all in place in the mapped image (layout in
// index/format/IndexFormat.h). Offsets here are relative to the heap start H. Allocation is first
// fit from the lowest free block with a split when the rest can stand as a block; freeing merges
// with free neighbours. The heap never moves blocks.
#include <cstdint>

class StoreHeap {
public:
    struct Stats {
        uint32_t usedBlocks = 0;
        uint32_t freeBlocks = 0;
        uint64_t usedBytes = 0;  // payload bytes
        uint64_t freeBytes = 0;  // payload bytes
        uint32_t largestFree = 0;
    };

    // Lays out a new heap of `length` bytes at `heap`: one free block over all of it.
    static void Format(uint8_t* heap, uint32_t length);
    // Checks a heap read from a file, `available` bytes long: the heap length, each block's tag
    // and footer, and that the free list links exactly the free blocks, in address order. The
    // file format does not keep the last block's footer (the file's length word is stored there):
    // `lastTag` receives the last block's tag, which RestoreLastFooter puts back.
    [[nodiscard]] static bool Check(const uint8_t* heap, uint32_t available, int32_t& lastTag);
    static void RestoreLastFooter(uint8_t* heap, uint32_t available, int32_t lastTag);
    // The payload bytes a block's tag states (+n in use, -n free).
    static uint32_t TagSize(int32_t tag) {
        return tag < 0 ? 0u - static_cast<uint32_t>(tag) : static_cast<uint32_t>(tag);
    }
    // How many bytes a heap must grow by so that an allocation of `size` bytes succeeds.
    static uint64_t GrowthFor(uint32_t size);

    void Attach(uint8_t* heap) {
        heap_ = heap;
        largestBound_ = UINT32_MAX;
    }
    void Detach() { heap_ = nullptr; }
    uint32_t Length() const;

    // The payload offset of a new block of at least `size` bytes, or 0 when no free block fits.
    uint32_t Allocate(uint32_t size);
    // Frees the block whose payload starts at `payload`; false, changing nothing, when no block
    // in use starts there (a double free, a wild offset).
    [[nodiscard]] bool Free(uint32_t payload);
    // Appends `growth` bytes at the heap end (already present in memory) as a free block merged
    // with a free last block; `growth` is a multiple of 4 and at least a minimal block.
    [[nodiscard]] bool Extend(uint32_t growth);
    // The payload size of the block in use at `payload`, 0 when there is none.
    uint32_t BlockSize(uint32_t payload) const;

    Stats Walk() const;

private:
    int32_t Tag(uint32_t block) const;
    void SetBlock(uint32_t block, int32_t tag);
    uint32_t Head() const;
    void SetHead(uint32_t block);
    uint32_t Next(uint32_t block) const;
    uint32_t Prev(uint32_t block) const;
    void SetLinks(uint32_t block, uint32_t next, uint32_t prev);
    void SetNext(uint32_t block, uint32_t next);
    void SetPrev(uint32_t block, uint32_t prev);
    uint32_t Take(uint32_t block, uint32_t size, uint32_t rounded);
    void Unlink(uint32_t block);
    void MoveInList(uint32_t from, uint32_t to);
    void InsertFree(uint32_t block);
    uint32_t MergeBefore(uint32_t& block, uint32_t size) const;

    uint8_t* heap_ = nullptr;
    // No free block is larger than this (it is learnt when a walk finds none large enough, and
    // raised by every free): a request above it fails at once, as the walk would. The image
    // belongs to the one process that changes it, so the bound holds while it is attached.
    uint32_t largestBound_ = UINT32_MAX;
};
