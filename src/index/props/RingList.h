#pragma once
// The circular doubly linked lists of the properties image (the free chunks of the pool, the
// record slots): a head word and a count word, and in each member a next and a previous word.
// Every position is an offset from `base`; a member links to itself when it is alone.
#include <cstdint>

struct RingLayout {
    uint32_t headAt;
    uint32_t countAt;
    uint32_t nextAt;  // inside a member
    uint32_t prevAt;  // inside a member
};

// Links `node` in as the last member and counts it.
void RingAppend(uint8_t* base, const RingLayout& ring, uint32_t node);
// Takes `node` out (the head moves on when it was the head) and uncounts it.
void RingUnlink(uint8_t* base, const RingLayout& ring, uint32_t node);
