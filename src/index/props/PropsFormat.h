#pragma once
// Byte layout of the image of pim_index2.dat (the properties store). All words are 32-bit
// little-endian; positions are byte offsets from the image start unless said otherwise.
// docs/index-files.md describes the same layout for readers of the files.
#include <cstdint>

namespace PropsFormat {

inline constexpr uint32_t kMagic = 1;
inline constexpr uint32_t kVersion = 6;
// A store of version 5 has the seven header words alone (no journal position) and its pool right
// after them. It is still read, and kept at version 5 when saved.
inline constexpr uint32_t kVersionWithoutPosition = 5;

// Store header at offset 0: seven words, then (version 6) the journal position.
inline constexpr uint32_t kMagicAt = 0;
inline constexpr uint32_t kVersionAt = 4;
inline constexpr uint32_t kTimeLowAt = 8;
inline constexpr uint32_t kTimeHighAt = 12;
inline constexpr uint32_t kUpdatingAt = 16;  // only its low byte is written
inline constexpr uint32_t kFirstSlotAt = 20;
inline constexpr uint32_t kSlotCountAt = 24;
inline constexpr uint32_t kHeaderBytesWithoutPosition = 28;
// The journal position the content holds: the volume's 16-byte identifier (all zero: no position),
// the row number (64-bit, low word first), and the checksum of the pim_index1.dat file saved with
// this one (0: not known), which tells a pair saved together from a torn one.
inline constexpr uint32_t kVolumeAt = 28;
inline constexpr uint32_t kVolumeBytes = 16;
inline constexpr uint32_t kPositionLowAt = 44;
inline constexpr uint32_t kPositionHighAt = 48;
inline constexpr uint32_t kWordsChecksumAt = 52;
inline constexpr uint32_t kHeaderBytes = 56;

// Chunk pool right after the header (offset 56; 28 in a store of version 5). Its own header: the
// first free chunk, the high-water mark and the number of free chunks; chunk positions in the pool
// are relative to the pool start.
inline constexpr uint32_t kPoolAt = kHeaderBytes;
constexpr uint32_t PoolAt(uint32_t version) {
    return version == kVersionWithoutPosition ? kHeaderBytesWithoutPosition : kHeaderBytes;
}
inline constexpr uint32_t kPoolFreeHeadAt = 0;
inline constexpr uint32_t kPoolHighWaterAt = 4;
inline constexpr uint32_t kPoolFreeCountAt = 8;
inline constexpr uint32_t kPoolHeaderBytes = 12;
inline constexpr uint32_t kChunkBytes = 128;
// A free chunk: the next and the previous free chunk (pool-relative), circular.
inline constexpr uint32_t kFreeNextAt = 0;
inline constexpr uint32_t kFreePrevAt = 4;

// A slot's first chunk: the next chunk of the chain (image offset, 0 at the end), the record
// length, the previous and the next slot (image offsets; a circular list in insertion order),
// then the first bytes of the record.
inline constexpr uint32_t kChainNextAt = 0;
inline constexpr uint32_t kRecordLengthAt = 4;
inline constexpr uint32_t kSlotPrevAt = 8;
inline constexpr uint32_t kSlotNextAt = 12;
inline constexpr uint32_t kFirstDataAt = 16;
inline constexpr uint32_t kFirstDataBytes = kChunkBytes - kFirstDataAt;  // 112
// A further chunk: the next chunk, then record bytes.
inline constexpr uint32_t kMoreDataAt = 4;
inline constexpr uint32_t kMoreDataBytes = kChunkBytes - kMoreDataAt;  // 124

// The last four bytes of an image are replaced by the file's length word when it is saved, so
// the pool never hands them out.
inline constexpr uint32_t kImageTailBytes = 4;

// A new store is requested with this many bytes when the size hint (plus its header and pool
// header) is smaller; larger hints get a slack of one part in kSlackDivisor, as growth does.
inline constexpr uint32_t kMinCreateBytes = 1024;
inline constexpr uint32_t kHintExtra = kHeaderBytes + kPoolHeaderBytes;
inline constexpr uint32_t kSlackDivisor = 100;

// Chunks taken by a record of `length` bytes.
constexpr uint32_t ChunksFor(uint32_t length) {
    return length <= kFirstDataBytes
               ? 1
               : 1 + (length - kFirstDataBytes + kMoreDataBytes - 1) / kMoreDataBytes;
}

}  // namespace PropsFormat
