// Opens arbitrary bytes as pim_index1.dat and, when the store accepts them, allocates and frees
// blocks in it: an accepted image must never lead to a read or write outside it, and the heap
// must stay well-formed.
//
// Input: byte 0 chooses the form (odd: the rest is an image that gets its length word and
// checksum here, so the header and heap checks are reached; even: the rest is the file as is),
// bytes 1 to 8 drive the allocations, the rest is the image or file.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzDevice.h"
#include "index/format/IndexFormat.h"
#include "index/heap/StoreHeap.h"
#include "index/store/IndexStore.h"

namespace {

constexpr size_t kOpsBytes = 8;
// A small view keeps runs fast and lets the allocations reach the image limit.
constexpr uint64_t kViewBytes = 1 << 20;

void Exercise(IndexStore& store, const uint8_t* ops) {
    std::vector<StorePtr> live;
    for (size_t i = 0; i < kOpsBytes * 4; ++i) {
        const uint8_t op = static_cast<uint8_t>(ops[i % kOpsBytes] >> (i / kOpsBytes) | i);
        if (op & 1 || live.empty()) {
            StorePtr ptr;
            uint8_t* address = store.Allocate(op * 37u, ptr);
            if (address == nullptr) continue;
            std::fill_n(address, op * 37u, op);
            live.push_back(ptr);
        } else {
            store.FreePtr(live[op % live.size()]);
        }
    }
    uint8_t* heap = store.BaseAddress() + IndexFormat::kHeapOffset;
    int32_t lastTag = 0;
    if (!StoreHeap::Check(heap, store.Length() - IndexFormat::kHeapOffset, lastTag)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 + kOpsBytes) return 0;
    const uint8_t* body = data + 1 + kOpsBytes;
    const size_t bodySize = size - 1 - kOpsBytes;
    WriteDeviceFile("pim_index1.dat",
                    (data[0] & 1) ? SealedFile(body, bodySize) : std::vector<uint8_t>(body, body + bodySize));
    IndexStore store(std::u16string(IndexStore::kDefaultPath), kViewBytes);
    if (store.Open()) Exercise(store, data + 1);
    return 0;
}
