#include "index/words/NodeChunks.h"

#include "index/format/Words.h"
#include "index/words/WordsFormat.h"

using namespace WordsFormat;

namespace {

uint32_t Get(Allocator& alloc, uint32_t chunk, uint32_t at) { return LoadWord(alloc.ToAddress(chunk) + at); }

void Put(Allocator& alloc, uint32_t chunk, uint32_t at, uint32_t value) {
    StoreWord(alloc.ToAddress(chunk) + at, value);
}

// A new empty chunk linked after `last` (a circle of its own when `last` is 0).
std::optional<uint32_t> NewChunk(Allocator& alloc, uint32_t last) {
    StorePtr ptr;
    if (alloc.Allocate(kChunkBytes, ptr) == nullptr) return std::nullopt;
    const uint32_t chunk = ptr.Offset();
    if (last == 0) {
        Put(alloc, chunk, kChunkNextAt, chunk);
        Put(alloc, chunk, kChunkPrevAt, chunk);
    } else {
        const uint32_t first = Get(alloc, last, kChunkNextAt);
        Put(alloc, chunk, kChunkNextAt, first);
        Put(alloc, chunk, kChunkPrevAt, last);
        Put(alloc, last, kChunkNextAt, chunk);
        Put(alloc, first, kChunkPrevAt, chunk);
    }
    return chunk;
}

}  // namespace

namespace NodeChunks {

std::optional<uint32_t> Append(Allocator& alloc, uint32_t first, std::span<const uint32_t> nodes) {
    if (first == 0) {
        const std::optional<uint32_t> made = NewChunk(alloc, 0);
        if (!made) return std::nullopt;
        first = *made;
    }
    uint32_t last = Get(alloc, first, kChunkPrevAt);
    for (uint32_t node : nodes) {
        uint32_t used = Get(alloc, last, kChunkUsedAt);
        if (used == kChunkCapacity) {
            const std::optional<uint32_t> made = NewChunk(alloc, last);
            if (!made) return std::nullopt;
            last = *made;
            used = 0;
        }
        Put(alloc, last, kChunkNodesAt + 4 * used, node);
        Put(alloc, last, kChunkUsedAt, used + 1);
    }
    return first;
}

std::vector<uint32_t> Read(Allocator& alloc, uint32_t first) {
    std::vector<uint32_t> nodes;
    if (first == 0) return nodes;
    uint32_t chunk = first;
    do {
        const uint32_t used = Get(alloc, chunk, kChunkUsedAt);
        for (uint32_t i = 0; i < used && i < kChunkCapacity; ++i) {
            nodes.push_back(Get(alloc, chunk, kChunkNodesAt + 4 * i));
        }
        chunk = Get(alloc, chunk, kChunkNextAt);
    } while (chunk != first && chunk != 0);
    return nodes;
}

void Free(Allocator& alloc, uint32_t first) {
    if (first == 0) return;
    uint32_t chunk = first;
    do {
        const uint32_t next = Get(alloc, chunk, kChunkNextAt);
        alloc.FreeAddress(alloc.ToAddress(chunk));
        chunk = next;
    } while (chunk != first && chunk != 0);
}

}  // namespace NodeChunks
