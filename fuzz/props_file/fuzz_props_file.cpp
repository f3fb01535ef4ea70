// Opens arbitrary bytes as pim_index2.dat (sealed with a valid length word and checksum, so the
// store's own checks are reached) and, when the store accepts them, reads every slot, updates
// and removes some and adds one: an accepted image must never lead to a read or write outside
// it, and must still pass its checks after the changes.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzDevice.h"
#include "index/props/PropsStore.h"
#include "store/contact/ContactCustProps.h"

namespace {

void Exercise(PropsStore& store) {
    std::vector<uint32_t> slots;
    uint32_t slot = store.FirstSlot();
    for (uint32_t i = 0; i < store.SlotCount(); ++i, slot = store.NextSlot(slot)) slots.push_back(slot);
    for (size_t i = 0; i < slots.size(); ++i) {
        ContactCustProps values;
        (void)store.ReadRecord(slots[i], values);  // any slot of any file must be read safely
        std::vector<uint8_t> bytes;
        if (!store.ReadEncoded(slots[i], bytes)) abort();  // every slot passed the open checks
        // Outcomes follow the file; only a crash counts.
        if (i % 3 == 1) (void)store.UpdateEncoded(slots[i], std::vector<uint8_t>(i * 50 % 700, 7));
        if (i % 3 == 2) (void)store.RemoveRecord(slots[i]);
    }
    store.AddRecord(ContactCustProps{});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 16)) return 0;
    WriteDeviceFile("pim_index2.dat", SealedFile(data, size));
    PropsStore store;
    if (store.Open(false)) {
        Exercise(store);
        store.Close();
        if (!store.Open(false)) {
            // The changed image is still live in this process: reopening shares it and checks it.
            abort();
        }
    }
    return 0;
}
