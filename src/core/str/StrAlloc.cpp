#include "core/str/StrAlloc.h"

#include <cstdlib>

namespace {
StrAllocator g_allocate = nullptr;
}  // namespace

void* StrAllocate(size_t bytes) { return g_allocate ? g_allocate(bytes) : std::malloc(bytes); }

void StrFree(void* block) noexcept { std::free(block); }

StrAllocator SetStrAllocator(StrAllocator allocate) noexcept {
    StrAllocator previous = g_allocate;
    g_allocate = allocate;
    return previous;
}
