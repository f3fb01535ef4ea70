#pragma once
// The image of pim_index1.dat: a header of nine words and the heap that fills the rest, in a
// MemoryMappedFile. It is the Allocator of every structure the word index keeps in the image.
// Layout: index/format/IndexFormat.h and docs/index-files.md.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "index/format/IndexFormat.h"
#include "index/heap/StoreHeap.h"
#include "index/mapped/MemoryMappedFile.h"
#include "index/store/Allocator.h"

class IndexStore : public Allocator {
public:
    static constexpr std::u16string_view kDefaultPath = u"\\pim_index1.dat";

    explicit IndexStore(std::u16string path = std::u16string(kDefaultPath),
                        uint64_t viewBytes = IndexFormat::kViewBytes);
    ~IndexStore() override;
    IndexStore(const IndexStore&) = delete;
    IndexStore& operator=(const IndexStore&) = delete;

    // A new image (the old file is deleted): header magic and version, a heap over the rest.
    [[nodiscard]] bool Create();
    // Checks the records of an image read from its file, through its read-only view, before the
    // last block's footer is restored (it holds the file's length word; `lastTag` is the tag).
    using RecordCheck = std::function<bool(const uint8_t* image, uint32_t length, int32_t lastTag)>;

    // The live image of the file, or the file itself, checked: container, header, heap, and the
    // records by `records` (only when read from the file: a live image is in use by its holder).
    [[nodiscard]] bool Open(const RecordCheck& records = {});
    void Close();  // waits for a running save
    [[nodiscard]] bool IsOpen() const { return base_ != nullptr; }
    MappedError LastError() const { return error_; }

    uint32_t HeaderWord(IndexFormat::HeaderWord word) const;
    void SetHeaderWord(IndexFormat::HeaderWord word, uint32_t value);
    uint32_t Length() const { return file_.Length(); }
    // The bytes of the block in use whose payload starts at image offset `offset`; 0 when no
    // block in use starts there.
    uint32_t BlockBytes(uint32_t offset) const override;

    MemoryMappedFile& File() { return file_; }
    const StoreHeap& Heap() const { return heap_; }

    StorePtr MakePtr(uint32_t offset) override;
    uint8_t* ToAddress(uint32_t offset) override;
    uint32_t ToOffset(const uint8_t* address) override;
    // When no free block fits, the image grows by max(request + 8, 102400) bytes and the
    // allocation is tried once more. An image that cannot grow (memory, or the largest image the
    // view holds) is logged and the allocation fails; LastError() tells which.
    uint8_t* Allocate(uint32_t size, StorePtr& out) override;
    void FreeAddress(uint8_t* address) override;
    void FreePtr(StorePtr& ptr) override;
    uint8_t* BaseAddress() override { return base_; }

private:
    [[nodiscard]] bool IsUsableImage(const uint8_t* image, uint32_t length) const;
    [[nodiscard]] bool Grow(uint32_t size);

    std::u16string path_;
    uint8_t* base_ = nullptr;
    StoreHeap heap_;
    MemoryMappedFile file_;
    MappedError error_ = MappedError::None;
};
