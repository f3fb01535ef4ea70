#include "index/store/IndexStore.h"

#include <cstring>
#include <optional>

#include "core/diag/ErrorLog.h"
#include "index/format/Words.h"
#include "index/heap/HeapScan.h"

using namespace IndexFormat;

namespace {
constexpr std::u16string_view kMappingFailed = u"Unable open memory as mapped file!!!";
}

IndexStore::IndexStore(std::u16string path, uint64_t viewBytes)
    : path_(std::move(path)), file_(viewBytes) {}

IndexStore::~IndexStore() { Close(); }

bool IndexStore::Create() {
    Close();
    if (!file_.Create(path_, kNewIndexRequest)) {
        error_ = file_.LastError();
        return false;
    }
    base_ = file_.Image();
    SetHeaderWord(kMagicWord, kIndexMagic);
    SetHeaderWord(kVersionWord, kIndexVersion);
    StoreHeap::Format(base_ + kHeapOffset, Length() - kHeapOffset);
    heap_.Attach(base_ + kHeapOffset);
    error_ = MappedError::None;
    return true;
}

bool IndexStore::Open(const RecordCheck& records) {
    Close();
    // A file's heap is walked as the file is read (in file order, from the pieces in the cache);
    // the image's pages are left for the checks that follow the records.
    std::optional<HeapScan> scan;
    const auto pieces = [&scan](const uint8_t* piece, uint32_t at, uint32_t size, uint32_t length) {
        if (!scan) scan.emplace(length < kHeapOffset ? 0 : length - kHeapOffset);
        if (uint64_t{at} + size <= kHeapOffset) return true;
        const uint32_t skip = at < kHeapOffset ? kHeapOffset - at : 0;
        return scan->Feed(piece + skip, at + skip - kHeapOffset, size - skip);
    };
    int32_t lastTag = 0;
    const auto check = [&](const uint8_t* image, uint32_t length) {
        if (!IsUsableImage(image, length)) return false;
        if (file_.IsShared()) return true;
        return scan && scan->Finish(lastTag) && (!records || records(image, length, lastTag));
    };
    if (!file_.Open(path_, check, 0, pieces)) {
        error_ = file_.LastError();
        return false;
    }
    base_ = file_.Image();
    uint8_t* heap = base_ + kHeapOffset;
    if (!file_.IsShared()) StoreHeap::RestoreLastFooter(heap, Length() - kHeapOffset, lastTag);
    heap_.Attach(heap);
    error_ = MappedError::None;
    return true;
}

// The header, and the heap's bounds (a file's heap was walked whole as it was read; a live image
// is in use by its holder).
bool IndexStore::IsUsableImage(const uint8_t* image, uint32_t length) const {
    if (length < kHeaderBytes + kMinHeapBytes || length % kImageAlignment != 0) return false;
    if (LoadWord(image + 4 * kMagicWord) != kIndexMagic || LoadWord(image + 4 * kVersionWord) != kIndexVersion) {
        return false;
    }
    const uint32_t heapLength = LoadWord(image + kHeapOffset + kHeapLengthAt);
    return heapLength >= kMinHeapBytes && heapLength <= length - kHeapOffset;
}

void IndexStore::Close() {
    heap_.Detach();
    file_.Close();
    base_ = nullptr;
}

uint32_t IndexStore::HeaderWord(IndexFormat::HeaderWord word) const {
    return base_ ? LoadWord(base_ + 4 * word) : 0;
}

void IndexStore::SetHeaderWord(IndexFormat::HeaderWord word, uint32_t value) {
    if (base_) StoreWord(base_ + 4 * word, value);
}

uint32_t IndexStore::BlockBytes(uint32_t offset) const {
    return base_ != nullptr && offset > kHeapOffset ? heap_.BlockSize(offset - kHeapOffset) : 0;
}

StorePtr IndexStore::MakePtr(uint32_t offset) { return StorePtr(&base_, offset); }

uint8_t* IndexStore::ToAddress(uint32_t offset) { return base_ + offset; }

uint32_t IndexStore::ToOffset(const uint8_t* address) {
    return static_cast<uint32_t>(address - base_);
}

bool IndexStore::Grow(uint32_t size) {
    const uint64_t growth = StoreHeap::GrowthFor(size);
    // The heap ends where the image ended before; it grows at that end.
    const uint64_t length = kHeapOffset + uint64_t{heap_.Length()} + growth;
    if (size > kMaxPayload || length > file_.MaxLength()) {
        error_ = MappedError::TooLarge;
    } else if (!file_.Grow(static_cast<uint32_t>(length))) {
        error_ = file_.LastError();
    } else if (heap_.Extend(static_cast<uint32_t>(growth))) {
        return true;
    } else {
        error_ = MappedError::Damaged;
    }
    ErrorLog(kMappingFailed, "IndexStore", __LINE__);
    return false;
}

uint8_t* IndexStore::Allocate(uint32_t size, StorePtr& out) {
    out = StorePtr();
    if (!IsOpen()) return nullptr;
    uint32_t payload = heap_.Allocate(size);
    if (payload == 0 && Grow(size)) payload = heap_.Allocate(size);
    if (payload == 0) {
        ErrorLog(kMappingFailed, "DebugUtils", 184);
        return nullptr;
    }
    uint8_t* address = base_ + kHeapOffset + payload;
    std::memset(address, 0, heap_.BlockSize(payload));
    out = MakePtr(kHeapOffset + payload);
    return address;
}

void IndexStore::FreeAddress(uint8_t* address) {
    if (address == nullptr || !IsOpen()) return;
    if (address < base_ + kHeapOffset || address >= base_ + Length()) return;
    // Free refuses a block not in use and changes nothing.
    (void)heap_.Free(static_cast<uint32_t>(address - base_ - kHeapOffset));
}

void IndexStore::FreePtr(StorePtr& ptr) {
    FreeAddress(ptr.Address());
    ptr = StorePtr();
}
