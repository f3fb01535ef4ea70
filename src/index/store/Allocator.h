#pragma once
// What the structures inside an index image need to live there: turning offsets into addresses
// and back, and allocating and freeing blocks. The IndexStore implements it over its image; the
// word index and the lists built on it use nothing else.
#include <cstdint>

#include "index/store/StorePtr.h"

class Allocator {
public:
    virtual ~Allocator() = default;

    virtual StorePtr MakePtr(uint32_t offset) = 0;
    virtual uint8_t* ToAddress(uint32_t offset) = 0;
    virtual uint32_t ToOffset(const uint8_t* address) = 0;
    // A new zero-filled block of at least `size` bytes (its address; `out` its position). Null
    // with a null `out` when the store cannot supply it: the failure is logged, and the caller
    // abandons its operation without further damage.
    virtual uint8_t* Allocate(uint32_t size, StorePtr& out) = 0;
    // Frees the block whose payload starts at `address`; a null address does nothing.
    virtual void FreeAddress(uint8_t* address) = 0;
    // Frees the block and makes `ptr` null.
    virtual void FreePtr(StorePtr& ptr) = 0;
    virtual uint8_t* BaseAddress() = 0;
    // The payload bytes of the block in use whose payload starts at image offset `offset`; 0 when
    // none does.
    virtual uint32_t BlockBytes(uint32_t offset) const = 0;

protected:
    Allocator() = default;
    Allocator(const Allocator&) = default;
    Allocator& operator=(const Allocator&) = default;
};
