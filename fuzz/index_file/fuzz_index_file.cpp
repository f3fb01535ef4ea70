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
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/heap/StoreHeap.h"
#include "index/mapped/FileSeal.h"
#include "index/store/IndexStore.h"
#include "platform/device/Device.h"

namespace {

constexpr size_t kOpsBytes = 8;
// A small view keeps runs fast and lets the allocations reach the image limit.
constexpr uint64_t kViewBytes = 1 << 20;

const std::filesystem::path& DeviceRoot() {
    static const std::filesystem::path root = [] {
        char pattern[] = "/tmp/brevane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) abort();
        plat::SetCurrentDevice(std::make_unique<plat::Device>(pattern));
        return std::filesystem::path(pattern);
    }();
    return root;
}

// The input as an image (padded to whole words) sealed into its file.
std::vector<uint8_t> Sealed(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    image.resize(std::max<size_t>((size + 3) / 4 * 4, IndexFormat::kMinImageBytes), 0);
    return SealImage(image);
}

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
    if (!StoreHeap::Check(heap, store.Length() - IndexFormat::kHeapOffset)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 + kOpsBytes) return 0;
    const std::filesystem::path file = DeviceRoot() / "pim_index1.dat";
    const uint8_t* body = data + 1 + kOpsBytes;
    const size_t bodySize = size - 1 - kOpsBytes;
    const std::vector<uint8_t> bytes =
        (data[0] & 1) ? Sealed(body, bodySize) : std::vector<uint8_t>(body, body + bodySize);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    IndexStore store(std::u16string(IndexStore::kDefaultPath), kViewBytes);
    if (store.Open()) Exercise(store, data + 1);
    return 0;
}
