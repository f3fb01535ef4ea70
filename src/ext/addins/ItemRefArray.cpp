#include "ext/addins/ItemRefArray.h"

#include "ext/addins/AddinAbi.h"

namespace {

void PutWord(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

size_t ItemRefArraySize(size_t count) { return addin::kItemRefArrayHeader + addin::kItemRefSize * count; }

void WriteItemRefArray(std::span<const uint32_t> oids, uint8_t* out) {
    PutWord(out, static_cast<uint32_t>(oids.size()));
    uint8_t* at = out + addin::kItemRefArrayHeader;
    for (const uint32_t oid : oids) {
        PutWord(at, addin::kItemTypeWord);
        PutWord(at + 4, oid);
        at += addin::kItemRefSize;
    }
}
