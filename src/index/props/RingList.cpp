#include "index/props/RingList.h"

#include "index/format/Words.h"

namespace {

uint32_t Get(const uint8_t* base, uint32_t at) { return LoadWord(base + at); }
void Set(uint8_t* base, uint32_t at, uint32_t value) { StoreWord(base + at, value); }

}  // namespace

void RingAppend(uint8_t* base, const RingLayout& ring, uint32_t node) {
    const uint32_t head = Get(base, ring.headAt);
    if (head == 0) {
        Set(base, node + ring.nextAt, node);
        Set(base, node + ring.prevAt, node);
        Set(base, ring.headAt, node);
    } else {
        const uint32_t tail = Get(base, head + ring.prevAt);
        Set(base, node + ring.nextAt, head);
        Set(base, node + ring.prevAt, tail);
        Set(base, tail + ring.nextAt, node);
        Set(base, head + ring.prevAt, node);
    }
    Set(base, ring.countAt, Get(base, ring.countAt) + 1);
}

void RingUnlink(uint8_t* base, const RingLayout& ring, uint32_t node) {
    const uint32_t next = Get(base, node + ring.nextAt);
    if (next == node) {
        Set(base, ring.headAt, 0);
    } else {
        const uint32_t prev = Get(base, node + ring.prevAt);
        Set(base, prev + ring.nextAt, next);
        Set(base, next + ring.prevAt, prev);
        if (Get(base, ring.headAt) == node) Set(base, ring.headAt, next);
    }
    Set(base, ring.countAt, Get(base, ring.countAt) - 1);
}
