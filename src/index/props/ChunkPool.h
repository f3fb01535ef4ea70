#pragma once
// The pool of 128-byte chunks of the properties store, in place in its image: a free list
// (circular, doubly linked) and a high-water mark above which no chunk was handed out yet.
// Chunks are named by their image offset outside this class.
#include <cstdint>

class ChunkPool {
public:
    // Lays out an empty pool at image offset `poolAt`: no free chunk, nothing handed out.
    static void Format(uint8_t* image, uint32_t poolAt);

    // Uses the pool at `poolAt` of `image` as it stands (after a load or a growth of the image).
    void Attach(uint8_t* image, uint32_t imageLength, uint32_t poolAt);
    void Detach() { image_ = nullptr; }
    // The pool header and free list are consistent with an image of the attached length.
    [[nodiscard]] bool Check() const;

    // A chunk (image offset), or 0 when the pool has none left.
    uint32_t Take();
    void GiveBack(uint32_t chunk);
    // Whether `chunks` more chunks can be taken.
    [[nodiscard]] bool CanSupply(uint64_t chunks) const;
    // Chunks free or never handed out.
    uint64_t Available() const;
    uint32_t FreeCount() const;
    uint32_t HighWater() const;
    // Whether `chunk` (image offset) is a chunk that was handed out.
    [[nodiscard]] bool IsChunk(uint32_t chunk) const;

private:
    uint32_t Word(uint32_t poolOffset) const;
    void SetWord(uint32_t poolOffset, uint32_t value);
    uint32_t AreaBytes() const;
    void Unlink(uint32_t chunk);
    void Append(uint32_t chunk);

    uint8_t* image_ = nullptr;
    uint32_t length_ = 0;
    uint32_t poolAt_ = 0;
};
