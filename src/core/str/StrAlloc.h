#pragma once
// The allocator of string blocks. Tests replace it to make allocations fail.
#include <cstddef>

void* StrAllocate(size_t bytes);
void StrFree(void* block) noexcept;

// Installs `allocate` (a malloc-like function; null restores malloc) and returns the previous one.
// Blocks are always released with free(), so a replacement must hand out malloc'd memory or null.
using StrAllocator = void* (*)(size_t bytes);
StrAllocator SetStrAllocator(StrAllocator allocate) noexcept;
