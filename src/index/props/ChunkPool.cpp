#include "index/props/ChunkPool.h"

#include "index/format/Words.h"
#include "index/props/PropsFormat.h"
#include "index/props/RingList.h"

using namespace PropsFormat;

void ChunkPool::Format(uint8_t* image, uint32_t poolAt) {
    StoreWord(image + poolAt + kPoolFreeHeadAt, 0);
    StoreWord(image + poolAt + kPoolHighWaterAt, kPoolHeaderBytes);
    StoreWord(image + poolAt + kPoolFreeCountAt, 0);
}

void ChunkPool::Attach(uint8_t* image, uint32_t imageLength, uint32_t poolAt) {
    image_ = image;
    length_ = imageLength;
    poolAt_ = poolAt;
}

uint32_t ChunkPool::Word(uint32_t poolOffset) const { return LoadWord(image_ + poolAt_ + poolOffset); }

void ChunkPool::SetWord(uint32_t poolOffset, uint32_t value) {
    StoreWord(image_ + poolAt_ + poolOffset, value);
}

uint32_t ChunkPool::AreaBytes() const {
    const uint32_t reserved = poolAt_ + kImageTailBytes;
    return length_ > reserved ? length_ - reserved : 0;
}

uint32_t ChunkPool::FreeCount() const { return Word(kPoolFreeCountAt); }
uint32_t ChunkPool::HighWater() const { return Word(kPoolHighWaterAt); }

bool ChunkPool::IsChunk(uint32_t chunk) const {
    if (chunk < poolAt_ + kPoolHeaderBytes) return false;
    const uint32_t rel = chunk - poolAt_;
    return (rel - kPoolHeaderBytes) % kChunkBytes == 0 && rel + kChunkBytes <= HighWater();
}

bool ChunkPool::Check() const {
    if (length_ < poolAt_ + kPoolHeaderBytes) return false;
    const uint32_t high = HighWater();
    if (high < kPoolHeaderBytes || high > AreaBytes() ||
        (high - kPoolHeaderBytes) % kChunkBytes != 0) {
        return false;
    }
    const uint32_t count = FreeCount();
    const uint32_t head = Word(kPoolFreeHeadAt);
    if (count == 0) return head == 0;
    if (count > (high - kPoolHeaderBytes) / kChunkBytes) return false;
    uint32_t at = head;
    for (uint32_t i = 0; i < count; ++i) {
        if (!IsChunk(poolAt_ + at)) return false;
        const uint32_t next = Word(at + kFreeNextAt);
        if (!IsChunk(poolAt_ + next) || Word(next + kFreePrevAt) != at) return false;
        at = next;
    }
    return at == head;
}

bool ChunkPool::CanSupply(uint64_t chunks) const { return Available() >= chunks; }

uint64_t ChunkPool::Available() const {
    const uint32_t area = AreaBytes();
    const uint32_t high = HighWater();
    const uint64_t above = area > high ? (area - high) / kChunkBytes : 0;
    return above + FreeCount();
}

uint32_t ChunkPool::Take() {
    const uint32_t head = Word(kPoolFreeHeadAt);
    if (head != 0) {
        Unlink(head);
        return poolAt_ + head;
    }
    const uint32_t high = HighWater();
    if (uint64_t{high} + kChunkBytes > AreaBytes()) return 0;
    SetWord(kPoolHighWaterAt, high + kChunkBytes);
    return poolAt_ + high;
}

void ChunkPool::GiveBack(uint32_t chunk) {
    const uint32_t rel = chunk - poolAt_;
    if (rel + kChunkBytes == HighWater()) {
        SetWord(kPoolHighWaterAt, rel);
        return;
    }
    Append(rel);
}

namespace {

constexpr RingLayout kFreeRing{kPoolFreeHeadAt, kPoolFreeCountAt, kFreeNextAt, kFreePrevAt};

}  // namespace

void ChunkPool::Unlink(uint32_t chunk) { RingUnlink(image_ + poolAt_, kFreeRing, chunk); }

void ChunkPool::Append(uint32_t chunk) { RingAppend(image_ + poolAt_, kFreeRing, chunk); }
