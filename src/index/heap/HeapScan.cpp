#include "index/heap/HeapScan.h"

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/heap/StoreHeap.h"

using namespace IndexFormat;

HeapScan::HeapScan(uint32_t available)
    : available_(available), failed_(available < kMinHeapBytes || available % kPayloadAlignment != 0) {}

bool HeapScan::Feed(const uint8_t* bytes, uint64_t at, uint64_t size) {
    const uint64_t end = at + size;
    while (!failed_ && want_ != Want::Done && at_ < end) {
        if (at_ < at) {
            failed_ = true;  // a piece was skipped
            break;
        }
        Take(LoadWord(bytes + (at_ - at)));
    }
    return !failed_;
}

bool HeapScan::Finish(int32_t& lastTag) const {
    if (failed_ || want_ != Want::Done) return false;
    const bool closed = lastFree_ == 0 ? head_ == 0 : lastNext_ == firstFree_ && firstPrev_ == lastFree_;
    if (closed) lastTag = tag_;
    return closed;
}

void HeapScan::Take(uint32_t word) {
    switch (want_) {
        case Want::Length:
            failed_ = word != available_;
            want_ = Want::Head;
            at_ = kHeapFreeHeadAt;
            return;
        case Want::Head:
            head_ = word;
            want_ = Want::Tag;
            at_ = block_ = kHeapFirstBlock;
            return;
        case Want::Tag: return TakeTag(static_cast<int32_t>(word));
        case Want::Next:
            next_ = word;
            want_ = Want::Prev;
            at_ = block_ + kBlockTagBytes + kFreePrevAt;
            return;
        case Want::Prev: return TakePrev(word);
        case Want::Footer:
            failed_ = static_cast<int32_t>(word) != tag_;
            block_ = end_;
            want_ = Want::Tag;
            at_ = block_;
            return;
        case Want::Done: return;
    }
}

void HeapScan::TakeTag(int32_t tag) {
    const uint32_t size = StoreHeap::TagSize(tag);
    if (available_ - block_ < kMinPayload + kBlockOverhead || size < kMinPayload ||
        size % kPayloadAlignment != 0 || size > kMaxPayload || size > available_ - block_ - kBlockOverhead) {
        failed_ = true;
        return;
    }
    tag_ = tag;
    end_ = block_ + kBlockOverhead + size;
    if (tag < 0) {
        want_ = Want::Next;
        at_ = block_ + kBlockTagBytes + kFreeNextAt;
        return;
    }
    NextBlock();
}

// A free block must follow the one before it in the list (or head it) and name it as previous.
void HeapScan::TakePrev(uint32_t prev) {
    if (lastFree_ == 0) {
        failed_ = head_ != block_;
        firstFree_ = block_;
        firstPrev_ = prev;
    } else {
        failed_ = lastNext_ != block_ || prev != lastFree_;
    }
    lastFree_ = block_;
    lastNext_ = next_;
    NextBlock();
}

// The footer is read unless the block is the last (the file's length word is kept there).
void HeapScan::NextBlock() {
    if (end_ == available_) {
        want_ = Want::Done;
        return;
    }
    want_ = Want::Footer;
    at_ = end_ - kBlockTagBytes;
}
