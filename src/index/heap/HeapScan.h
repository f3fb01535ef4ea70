#pragma once
// The check of a heap read from its file, made in file order: it asks only for words at rising
// offsets (each block's tag, a free block's two links, the block's footer), so it can run over the
// pieces of a file as they are read, while each piece is in the processor's cache, and the image
// it is read into need not be touched. Fed whole, it is the heap's check of StoreHeap::Check.
//
// What it checks: the heap length equals the bytes available; every block's size is a multiple of
// 4, at least the smallest payload, and ends inside the heap; every footer repeats its tag; the
// blocks end exactly at the heap end; the free list links exactly the free blocks, in address
// order, circularly, headed by the lowest. The last block's footer is not read: the file keeps its
// length word there; Finish hands back the last block's tag to restore it.
#include <cstdint>

class HeapScan {
public:
    explicit HeapScan(uint32_t available);

    // The next bytes of the heap, starting at heap offset `at` (the pieces follow each other
    // without gaps; `at` and `size` are multiples of 4). False once the heap is found damaged.
    [[nodiscard]] bool Feed(const uint8_t* bytes, uint64_t at, uint64_t size);
    // True when the whole heap was fed and found sound; `lastTag` then holds the last block's tag.
    [[nodiscard]] bool Finish(int32_t& lastTag) const;

private:
    enum class Want { Length, Head, Tag, Next, Prev, Footer, Done };
    void Take(uint32_t word);
    void TakeTag(int32_t tag);
    void TakePrev(uint32_t prev);
    void NextBlock();

    uint32_t available_;
    bool failed_;
    Want want_ = Want::Length;
    uint64_t at_ = 0;     // heap offset of the wanted word
    uint32_t head_ = 0;   // the list's head as the heap states it
    uint32_t block_ = 0;  // the block being read
    int32_t tag_ = 0;
    uint32_t end_ = 0;   // where the block ends
    uint32_t next_ = 0;  // the block's next link, when it is free
    uint32_t firstFree_ = 0;
    uint32_t firstPrev_ = 0;  // the first free block's previous link (the list's last block)
    uint32_t lastFree_ = 0;
    uint32_t lastNext_ = 0;  // the last free block's next link so far
};
