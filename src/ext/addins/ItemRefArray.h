#pragma once
// The "ItemRefArray" block handed to context-menu extensions (layout in AddinAbi.h).
#include <cstddef>
#include <cstdint>
#include <span>

// The block's size for `count` references: (count - 1) * 8 + 12, that is 4 + 8 * count.
size_t ItemRefArraySize(size_t count);
// Writes the block of the contacts `oids` to `out`, which holds ItemRefArraySize(oids.size())
// bytes.
void WriteItemRefArray(std::span<const uint32_t> oids, uint8_t* out);
