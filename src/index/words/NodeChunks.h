#pragma once
// The word nodes recorded for one contact in one tree: a circle of NodeChunks of 20 node
// offsets each, so that removing the contact finds its words without searching the tree.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "index/store/Allocator.h"

namespace NodeChunks {

// Appends `nodes` to the circle starting at `first` (0: a new circle). The first chunk, or
// nullopt when a block could not be had.
std::optional<uint32_t> Append(Allocator& alloc, uint32_t first, std::span<const uint32_t> nodes);
std::vector<uint32_t> Read(Allocator& alloc, uint32_t first);
void Free(Allocator& alloc, uint32_t first);

}  // namespace NodeChunks
