#include "index/heap/StoreHeap.h"

#include <algorithm>

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/heap/HeapScan.h"

using namespace IndexFormat;

namespace {

uint32_t RoundedSize(uint32_t size) {
    const uint32_t rounded = (size + kPayloadAlignment - 1) / kPayloadAlignment * kPayloadAlignment;
    return std::max(rounded, kMinPayload);
}

}  // namespace

// --- Layout ------------------------------------------------------------------------------------

void StoreHeap::Format(uint8_t* heap, uint32_t length) {
    StoreHeap h;
    h.Attach(heap);
    StoreWord(heap + kHeapLengthAt, length);
    h.SetBlock(kHeapFirstBlock, -static_cast<int32_t>(length - kHeapFirstBlock - kBlockOverhead));
    h.SetLinks(kHeapFirstBlock, kHeapFirstBlock, kHeapFirstBlock);
    h.SetHead(kHeapFirstBlock);
}

bool StoreHeap::Check(const uint8_t* heap, uint32_t available, int32_t& lastTag) {
    HeapScan scan(available);
    return scan.Feed(heap, 0, available) && scan.Finish(lastTag);
}

void StoreHeap::RestoreLastFooter(uint8_t* heap, uint32_t available, int32_t lastTag) {
    StoreTag(heap + available - kBlockTagBytes, lastTag);
}

uint64_t StoreHeap::GrowthFor(uint32_t size) {
    return std::max<uint64_t>(uint64_t{RoundedSize(std::min(size, kMaxPayload))} + kBlockOverhead,
                              kMinGrowth);
}

uint32_t StoreHeap::Length() const { return heap_ ? LoadWord(heap_ + kHeapLengthAt) : 0; }

// --- Words -------------------------------------------------------------------------------------

int32_t StoreHeap::Tag(uint32_t block) const { return LoadTag(heap_ + block); }

void StoreHeap::SetBlock(uint32_t block, int32_t tag) {
    StoreTag(heap_ + block, tag);
    StoreTag(heap_ + block + kBlockTagBytes + TagSize(tag), tag);
}

uint32_t StoreHeap::Head() const { return LoadWord(heap_ + kHeapFreeHeadAt); }
void StoreHeap::SetHead(uint32_t block) { StoreWord(heap_ + kHeapFreeHeadAt, block); }

uint32_t StoreHeap::Next(uint32_t block) const {
    return LoadWord(heap_ + block + kBlockTagBytes + kFreeNextAt);
}
uint32_t StoreHeap::Prev(uint32_t block) const {
    return LoadWord(heap_ + block + kBlockTagBytes + kFreePrevAt);
}
void StoreHeap::SetNext(uint32_t block, uint32_t next) {
    StoreWord(heap_ + block + kBlockTagBytes + kFreeNextAt, next);
}
void StoreHeap::SetPrev(uint32_t block, uint32_t prev) {
    StoreWord(heap_ + block + kBlockTagBytes + kFreePrevAt, prev);
}
void StoreHeap::SetLinks(uint32_t block, uint32_t next, uint32_t prev) {
    SetNext(block, next);
    SetPrev(block, prev);
}

// --- Free list ---------------------------------------------------------------------------------

void StoreHeap::Unlink(uint32_t block) {
    const uint32_t next = Next(block), prev = Prev(block);
    if (next == block) {
        SetHead(0);
        return;
    }
    SetNext(prev, next);
    SetPrev(next, prev);
    if (Head() == block) SetHead(next);
}

// `to` takes the place of free block `from` in the list (no free block lies between them).
void StoreHeap::MoveInList(uint32_t from, uint32_t to) {
    const uint32_t next = Next(from), prev = Prev(from);
    if (next == from) {
        SetLinks(to, to, to);
    } else {
        SetNext(prev, to);
        SetPrev(next, to);
        SetLinks(to, next, prev);
    }
    if (Head() == from) SetHead(to);
}

void StoreHeap::InsertFree(uint32_t block) {
    const uint32_t head = Head();
    if (head == 0) {
        SetLinks(block, block, block);
        SetHead(block);
        return;
    }
    // The first free block above `block`; the head again when none is (the list wraps there).
    uint32_t next = head;
    while (next < block) {
        next = Next(next);
        if (next == head) break;
    }
    const uint32_t prev = Prev(next);
    SetLinks(block, next, prev);
    SetNext(prev, block);
    SetPrev(next, block);
    if (block < head) SetHead(block);
}

// --- Operations --------------------------------------------------------------------------------

uint32_t StoreHeap::Allocate(uint32_t size) {
    const uint32_t head = Head();
    if (heap_ == nullptr || head == 0 || size > kMaxPayload) return 0;
    const uint32_t rounded = RoundedSize(size);
    if (rounded > largestBound_) return 0;
    // A sound list has fewer free blocks than this; the bound keeps a damaged one from looping.
    uint32_t steps = Length() / (kMinPayload + kBlockOverhead);
    uint32_t block = head;
    uint32_t largest = 0;
    do {
        const uint32_t free = TagSize(Tag(block));
        if (free >= rounded) return Take(block, free, rounded);
        largest = std::max(largest, free);
        block = Next(block);
    } while (block != head && steps-- > 0);
    if (block == head) largestBound_ = largest;
    return 0;
}

uint32_t StoreHeap::Take(uint32_t block, uint32_t size, uint32_t rounded) {
    if (rounded + kMinSplitRemainder <= size) {
        const uint32_t rest = block + kBlockOverhead + rounded;
        MoveInList(block, rest);
        SetBlock(rest, -static_cast<int32_t>(size - rounded - kBlockOverhead));
        SetBlock(block, static_cast<int32_t>(rounded));
    } else {
        Unlink(block);
        SetBlock(block, static_cast<int32_t>(size));
    }
    return block + kBlockTagBytes;
}

uint32_t StoreHeap::BlockSize(uint32_t payload) const {
    const uint32_t length = Length();
    if (payload < kHeapFirstBlock + kBlockTagBytes || payload % kPayloadAlignment != 0 ||
        payload >= length) {
        return 0;
    }
    const uint32_t block = payload - kBlockTagBytes;
    const int32_t tag = Tag(block);
    if (tag < static_cast<int32_t>(kMinPayload) || static_cast<uint32_t>(tag) > length - payload - kBlockTagBytes) {
        return 0;
    }
    return LoadTag(heap_ + payload + static_cast<uint32_t>(tag)) == tag ? static_cast<uint32_t>(tag) : 0;
}

// Widens a block being freed over a free block just before it; returns the merged size.
uint32_t StoreHeap::MergeBefore(uint32_t& block, uint32_t size) const {
    if (block == kHeapFirstBlock) return size;
    const int32_t footer = LoadTag(heap_ + block - kBlockTagBytes);
    if (footer >= 0) return size;
    const uint32_t before = TagSize(footer);
    if (uint64_t{before} + kBlockOverhead > block - kHeapFirstBlock ||
        Tag(block - kBlockOverhead - before) != footer ||
        uint64_t{before} + kBlockOverhead + size > kMaxPayload) {
        return size;
    }
    block -= kBlockOverhead + before;
    return before + kBlockOverhead + size;
}

bool StoreHeap::Free(uint32_t payload) {
    if (heap_ == nullptr) return false;
    uint32_t size = BlockSize(payload);
    if (size == 0) return false;
    uint32_t block = payload - kBlockTagBytes;
    const uint32_t end = block + kBlockOverhead + size;
    size = MergeBefore(block, size);
    bool listed = block != payload - kBlockTagBytes;
    if (end < Length()) {
        const int32_t after = Tag(end);
        if (after < 0 && uint64_t{size} + kBlockOverhead + TagSize(after) <= kMaxPayload) {
            if (listed) {
                Unlink(end);
            } else {
                MoveInList(end, block);
                listed = true;
            }
            size += kBlockOverhead + TagSize(after);
        }
    }
    SetBlock(block, -static_cast<int32_t>(size));
    if (!listed) InsertFree(block);
    largestBound_ = std::max(largestBound_, size);
    return true;
}

bool StoreHeap::Extend(uint32_t growth) {
    const uint32_t end = Length();
    if (heap_ == nullptr || growth < kMinPayload + kBlockOverhead || growth % kPayloadAlignment != 0 ||
        growth - kBlockOverhead > kMaxPayload || uint64_t{end} + growth > UINT32_MAX) {
        return false;
    }
    StoreWord(heap_ + kHeapLengthAt, end + growth);
    SetBlock(end, static_cast<int32_t>(growth - kBlockOverhead));
    return Free(end + kBlockTagBytes);
}

StoreHeap::Stats StoreHeap::Walk() const {
    Stats stats;
    const uint32_t length = Length();
    for (uint64_t block = kHeapFirstBlock; heap_ != nullptr && block + kBlockOverhead < length;) {
        const int32_t tag = Tag(static_cast<uint32_t>(block));
        const uint32_t size = TagSize(tag);
        if (size == 0) break;
        if (tag < 0) {
            ++stats.freeBlocks;
            stats.freeBytes += size;
            stats.largestFree = std::max(stats.largestFree, size);
        } else {
            ++stats.usedBlocks;
            stats.usedBytes += size;
        }
        block += kBlockOverhead + size;
    }
    return stats;
}
