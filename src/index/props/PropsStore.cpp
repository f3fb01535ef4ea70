#include "index/props/PropsStore.h"

#include <algorithm>
#include <cstring>

#include "core/diag/ErrorLog.h"
#include "index/format/Words.h"
#include "index/props/PropsFormat.h"
#include "index/props/RingList.h"
#include "store/contact/CustPropsCodec.h"

using namespace PropsFormat;

namespace {

constexpr RingLayout kSlotRing{kFirstSlotAt, kSlotCountAt, kSlotNextAt, kSlotPrevAt};

// memcpy that accepts an empty range with no storage behind it (a null pointer).
inline void CopyBytes(void* to, const void* from, size_t bytes) {
    if (bytes != 0) std::memcpy(to, from, bytes);
}

constexpr std::u16string_view kMappingFailed = u"Unable open memory as mapped file!!!";
constexpr int kGrowFailedLine = 145;

uint32_t RoundUp4(uint64_t n) { return static_cast<uint32_t>((n + 3) / 4 * 4); }

uint32_t CreateRequest(uint32_t sizeHint) {
    const uint64_t wanted = uint64_t{sizeHint} + kHintExtra;
    if (wanted <= kMinCreateBytes) return kMinCreateBytes;
    return RoundUp4(std::min<uint64_t>(wanted + wanted / kSlackDivisor, UINT32_MAX - 3));
}

}  // namespace

PropsStore::PropsStore(std::u16string path) : path_(std::move(path)) {}

PropsStore::~PropsStore() { Close(); }

uint32_t PropsStore::Word(uint32_t at) const { return LoadWord(image() + at); }

void PropsStore::SetWord(uint32_t at, uint32_t value) { StoreWord(image() + at, value); }

bool PropsStore::Create(uint32_t sizeHint) {
    Close();
    if (!file_.Create(path_, CreateRequest(sizeHint))) return false;
    std::memset(image(), 0, kHeaderBytes);
    SetWord(kMagicAt, kMagic);
    SetWord(kVersionAt, kVersion);
    ChunkPool::Format(image(), kPoolAt);
    pool_.Attach(image(), file_.Length(), kPoolAt);
    return true;
}

bool PropsStore::Open(bool check) {
    Close();
    // The image is read through a read-only view while it is checked (image() is that view).
    const auto usable = [this, check](const uint8_t*, uint32_t length) {
        if (length < kHeaderBytesWithoutPosition) return false;
        pool_.Attach(image(), length, PoolAt(Word(kVersionAt)));
        return CheckImage() && !(check && IsUpdating());
    };
    if (!file_.Open(path_, usable)) {
        Close();
        return false;
    }
    return true;
}

void PropsStore::Close() {
    pool_.Detach();
    file_.Close();
}

bool PropsStore::Save() { return IsOpen() && file_.StartSave(); }

bool PropsStore::CheckImage() const {
    const uint32_t version = Word(kVersionAt);
    if (Word(kMagicAt) != kMagic || (version != kVersion && version != kVersionWithoutPosition)) return false;
    if (file_.Length() < PoolAt(version) + kPoolHeaderBytes) return false;
    return pool_.Check() && CheckSlots();
}

// The slot list must be a ring of exactly the counted slots, each a chain of as many chunks as
// its record needs. Every step is bounded by the chunks handed out, so a damaged image cannot
// make the walk run away.
bool PropsStore::CheckSlots() const {
    const uint32_t count = SlotCount();
    const uint32_t first = FirstSlot();
    if (count == 0) return first == 0;
    const uint64_t handedOut = (pool_.HighWater() - kPoolHeaderBytes) / kChunkBytes;
    if (count > handedOut) return false;
    uint32_t slot = first;
    for (uint32_t i = 0; i < count; ++i) {
        if (!IsSlot(slot)) return false;
        const uint32_t length = Word(slot + kRecordLengthAt);
        if (ChunksFor(length) > handedOut || ChainLength(slot) != ChunksFor(length)) return false;
        slot = Word(slot + kSlotNextAt);
    }
    return slot == first;
}

bool PropsStore::IsSlot(uint32_t slot) const {
    if (!IsOpen() || !pool_.IsChunk(slot)) return false;
    const uint32_t next = Word(slot + kSlotNextAt);
    const uint32_t prev = Word(slot + kSlotPrevAt);
    return pool_.IsChunk(next) && pool_.IsChunk(prev) && Word(next + kSlotPrevAt) == slot &&
           Word(prev + kSlotNextAt) == slot;
}

// The number of chunks of the chain from `slot`, stopping (with a count past any record's) at
// a link that is no chunk or when the chain is longer than the pool.
uint32_t PropsStore::ChainLength(uint32_t slot) const {
    const uint32_t limit = (pool_.HighWater() - kPoolHeaderBytes) / kChunkBytes + 1;
    uint32_t chunks = 1;
    for (uint32_t at = Word(slot + kChainNextAt); at != 0; at = Word(at + kChainNextAt)) {
        if (!pool_.IsChunk(at) || ++chunks > limit) return UINT32_MAX;
    }
    return chunks;
}

bool PropsStore::IsNeedInspect(uint64_t databaseTime, uint32_t recordCount, bool countOnly) const {
    if (SlotCount() != recordCount) return true;
    return !countOnly && DatabaseTime() != databaseTime;
}

void PropsStore::SetDatabaseTime(uint32_t low, uint32_t high) {
    SetWord(kTimeLowAt, low);
    SetWord(kTimeHighAt, high);
}

uint64_t PropsStore::DatabaseTime() const {
    return uint64_t{Word(kTimeHighAt)} << 32 | Word(kTimeLowAt);
}

bool PropsStore::HasPosition() const { return Word(kVersionAt) == kVersion; }

JournalPosition PropsStore::Position() const {
    JournalPosition position;
    if (!HasPosition()) return position;
    std::memcpy(position.volume.data(), image() + kVolumeAt, kVolumeBytes);
    position.seq = static_cast<int64_t>(uint64_t{Word(kPositionHighAt)} << 32 | Word(kPositionLowAt));
    return position;
}

void PropsStore::SetPosition(const JournalPosition& position) {
    if (!HasPosition()) return;
    std::memcpy(image() + kVolumeAt, position.volume.data(), kVolumeBytes);
    const auto seq = static_cast<uint64_t>(position.seq);
    SetWord(kPositionLowAt, static_cast<uint32_t>(seq));
    SetWord(kPositionHighAt, static_cast<uint32_t>(seq >> 32));
}

uint32_t PropsStore::WordsChecksum() const { return HasPosition() ? Word(kWordsChecksumAt) : 0; }

void PropsStore::SetWordsChecksum(uint32_t checksum) {
    if (HasPosition()) SetWord(kWordsChecksumAt, checksum);
}

void PropsStore::SetUpdating(bool updating) { image()[kUpdatingAt] = updating ? 1 : 0; }

bool PropsStore::IsUpdating() const { return Word(kUpdatingAt) != 0; }
uint32_t PropsStore::SlotCount() const { return Word(kSlotCountAt); }
uint32_t PropsStore::FirstSlot() const { return Word(kFirstSlotAt); }
uint32_t PropsStore::NextSlot(uint32_t slot) const { return Word(slot + kSlotNextAt); }

// Grows the image until the pool can supply `chunks` more chunks: each step to x + x / 100
// (rounded up to four bytes), x being the image plus the missing chunks.
bool PropsStore::MakeRoom(uint64_t chunks) {
    while (!pool_.CanSupply(chunks)) {
        const uint64_t missing = chunks - pool_.Available();
        const uint64_t x = uint64_t{file_.Length()} + missing * kChunkBytes;
        const uint64_t wanted = uint64_t{RoundUp4(x + x / kSlackDivisor)};
        if (wanted > file_.MaxLength() || !file_.Grow(static_cast<uint32_t>(wanted))) {
            ErrorLog(kMappingFailed, "PropsStore", kGrowFailedLine);
            return false;
        }
        pool_.Attach(image(), file_.Length(), PoolAt(Word(kVersionAt)));
    }
    return true;
}

uint32_t PropsStore::AddRecord(const ContactCustProps& values) {
    const std::vector<uint8_t> record = EncodeCustProps(values);
    return record.empty() ? 0 : AddEncoded(record);
}

uint32_t PropsStore::AddEncoded(std::span<const uint8_t> record) {
    if (!IsOpen() || record.size() > UINT32_MAX || !MakeRoom(ChunksFor(record.size()))) return 0;
    const uint32_t slot = pool_.Take();
    std::memset(image() + slot, 0, kChunkBytes);
    LinkSlot(slot);
    WriteChain(slot, record);
    return slot;
}

void PropsStore::LinkSlot(uint32_t slot) { RingAppend(image(), kSlotRing, slot); }

// Writes `record` over the chain of `slot`: the chunks it has are reused in order, missing ones
// taken from the pool (room was made), and the chunks it no longer needs given back.
void PropsStore::WriteChain(uint32_t slot, std::span<const uint8_t> record) {
    const uint32_t length = static_cast<uint32_t>(record.size());
    SetWord(slot + kRecordLengthAt, length);
    size_t done = std::min<size_t>(length, kFirstDataBytes);
    std::memset(image() + slot + kFirstDataAt, 0, kFirstDataBytes);
    CopyBytes(image() + slot + kFirstDataAt, record.data(), done);
    uint32_t chunk = slot;
    while (done < length) {
        uint32_t next = Word(chunk + kChainNextAt);
        if (next == 0) {
            next = pool_.Take();
            SetWord(next + kChainNextAt, 0);
            SetWord(chunk + kChainNextAt, next);
        }
        const size_t piece = std::min<size_t>(length - done, kMoreDataBytes);
        std::memset(image() + next + kMoreDataAt, 0, kMoreDataBytes);
        CopyBytes(image() + next + kMoreDataAt, record.data() + done, piece);
        done += piece;
        chunk = next;
    }
    uint32_t rest = Word(chunk + kChainNextAt);
    SetWord(chunk + kChainNextAt, 0);
    while (rest != 0) {
        const uint32_t next = Word(rest + kChainNextAt);
        pool_.GiveBack(rest);
        rest = next;
    }
}

bool PropsStore::ReadEncoded(uint32_t slot, std::vector<uint8_t>& out) const {
    if (!IsSlot(slot)) return false;
    const uint32_t length = Word(slot + kRecordLengthAt);
    if (ChainLength(slot) != ChunksFor(length)) return false;
    out.resize(length);
    size_t done = std::min<size_t>(length, kFirstDataBytes);
    CopyBytes(out.data(), image() + slot + kFirstDataAt, done);
    for (uint32_t at = Word(slot + kChainNextAt); at != 0; at = Word(at + kChainNextAt)) {
        const size_t piece = std::min<size_t>(length - done, kMoreDataBytes);
        CopyBytes(out.data() + done, image() + at + kMoreDataAt, piece);
        done += piece;
    }
    return true;
}

bool PropsStore::ReadRecord(uint32_t slot, ContactCustProps& out) const {
    std::vector<uint8_t> record;
    return ReadEncoded(slot, record) && DecodeCustProps(record, out).ok();
}

bool PropsStore::UpdateRecord(uint32_t slot, const ContactCustProps& values) {
    const std::vector<uint8_t> record = EncodeCustProps(values);
    return !record.empty() && UpdateEncoded(slot, record);
}

bool PropsStore::UpdateEncoded(uint32_t slot, std::span<const uint8_t> record) {
    if (!IsSlot(slot) || record.size() > UINT32_MAX) return false;
    const uint32_t oldChunks = ChainLength(slot);
    if (oldChunks != ChunksFor(Word(slot + kRecordLengthAt))) return false;
    const uint32_t newChunks = ChunksFor(static_cast<uint32_t>(record.size()));
    if (newChunks > oldChunks && !MakeRoom(newChunks - oldChunks)) return false;
    WriteChain(slot, record);
    return true;
}

bool PropsStore::RemoveRecord(uint32_t slot) {
    if (!IsSlot(slot) || ChainLength(slot) != ChunksFor(Word(slot + kRecordLengthAt))) {
        return false;
    }
    RingUnlink(image(), kSlotRing, slot);
    WriteChain(slot, {});
    pool_.GiveBack(slot);
    return true;
}

uint32_t PropsStore::GetRecordWord(uint32_t slot) const {
    if (!IsSlot(slot) || Word(slot + kRecordLengthAt) < 8) return 0;
    return Word(slot + kFirstDataAt + 4);
}
