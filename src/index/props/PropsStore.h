#pragma once
// PropsStore: the further values of every indexed contact, one record per slot, in the image of
// pim_index2.dat, with the stamp of the database state the content matches, the journal position
// it holds and the flag of an update in progress. A slot is a chain of 128-byte chunks from the store's pool;
// its identifier is the image offset of its first chunk. Layout: PropsFormat.h and docs/index-files.md; the
// record itself is the further values' record of store/contact/CustPropsCodec.h.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "index/format/JournalPosition.h"
#include "index/mapped/MemoryMappedFile.h"
#include "index/props/ChunkPool.h"

class ContactCustProps;

class PropsStore {
public:
    static constexpr std::u16string_view kDefaultPath = u"\\pim_index2.dat";

    explicit PropsStore(std::u16string path = std::u16string(kDefaultPath));
    ~PropsStore();
    PropsStore(const PropsStore&) = delete;
    PropsStore& operator=(const PropsStore&) = delete;

    // A new empty store sized for about `sizeHint` bytes of records (the old file is deleted).
    [[nodiscard]] bool Create(uint32_t sizeHint);
    // Opens the live image or the file. The header, the pool and the slot list are checked
    // always; with `check`, an image saved while an update was in progress is refused too.
    [[nodiscard]] bool Open(bool check);
    void Close();  // waits for a running save
    [[nodiscard]] bool IsOpen() const { return image() != nullptr; }
    // Starts the background save of the image.
    [[nodiscard]] bool Save();
    MemoryMappedFile& File() { return file_; }

    [[nodiscard]] bool IsNeedInspect(uint64_t databaseTime, uint32_t recordCount, bool countOnly) const;
    void SetDatabaseTime(uint32_t low, uint32_t high);
    uint64_t DatabaseTime() const;
    // The journal position the content holds, and the checksum of the pim_index1.dat file it was
    // saved beside (0: not known). A store of version 5 has neither: it reports no position and
    // keeps none.
    JournalPosition Position() const;
    void SetPosition(const JournalPosition& position);
    uint32_t WordsChecksum() const;
    void SetWordsChecksum(uint32_t checksum);
    void SetUpdating(bool updating);
    [[nodiscard]] bool IsUpdating() const;
    uint32_t SlotCount() const;
    uint32_t FirstSlot() const;
    // The slot after `slot` in insertion order (circular).
    uint32_t NextSlot(uint32_t slot) const;

    // A new slot holding `values`; 0 when the image cannot grow (logged).
    uint32_t AddRecord(const ContactCustProps& values);
    uint32_t AddEncoded(std::span<const uint8_t> record);
    // False when `slot` is not a slot of this store or its record is damaged.
    [[nodiscard]] bool ReadRecord(uint32_t slot, ContactCustProps& out) const;
    [[nodiscard]] bool ReadEncoded(uint32_t slot, std::vector<uint8_t>& out) const;
    [[nodiscard]] bool UpdateRecord(uint32_t slot, const ContactCustProps& values);
    [[nodiscard]] bool UpdateEncoded(uint32_t slot, std::span<const uint8_t> record);
    [[nodiscard]] bool RemoveRecord(uint32_t slot);
    // The record's word at offset 4 (the fourth format word), 0 when unreadable.
    uint32_t GetRecordWord(uint32_t slot) const;

    const ChunkPool& Pool() const { return pool_; }

private:
    uint8_t* image() const { return file_.Image(); }
    uint32_t Word(uint32_t at) const;
    void SetWord(uint32_t at, uint32_t value);
    [[nodiscard]] bool CheckImage() const;
    [[nodiscard]] bool CheckSlots() const;
    [[nodiscard]] bool IsSlot(uint32_t slot) const;
    [[nodiscard]] bool MakeRoom(uint64_t chunks);
    void LinkSlot(uint32_t slot);
    void WriteChain(uint32_t slot, std::span<const uint8_t> record);
    uint32_t ChainLength(uint32_t slot) const;
    [[nodiscard]] bool HasPosition() const;

    std::u16string path_;
    MemoryMappedFile file_;
    ChunkPool pool_;
};
