#pragma once
// Byte layout of the word index's records in the heap of pim_index1.dat. All words are 32-bit
// little-endian; offsets are image offsets, 0 for none. docs/index-files.md shows the same.
#include <cstddef>
#include <cstdint>

namespace WordsFormat {

// OidList: count, then the OIDs ascending. ContactMap: count, then (OID, first NodeChunk) pairs
// ascending by OID. SlotTable: count, then (OID, slot) pairs in the order they were added.
inline constexpr uint32_t kCountAt = 0;
inline constexpr uint32_t kItemsAt = 4;

// Word node: plain 24 bytes, with tail 28.
inline constexpr uint32_t kNodeParentAt = 0;
inline constexpr uint32_t kNodeHigherAt = 4;
inline constexpr uint32_t kNodeEqualAt = 8;
inline constexpr uint32_t kNodeLowerAt = 12;
inline constexpr uint32_t kNodeListAt = 16;
inline constexpr uint32_t kNodeCharAt = 20;     // 16-bit code unit
inline constexpr uint32_t kNodeTailFlagAt = 22;  // 8-bit: 0 plain, 255 with tail
inline constexpr uint32_t kNodeTailAt = 24;     // offset of the zero-terminated UTF-16 tail
inline constexpr uint32_t kPlainNodeBytes = 24;
inline constexpr uint32_t kTailNodeBytes = 28;
inline constexpr uint8_t kTailFlag = 255;

// NodeChunk: next and previous chunk of the contact's circle, entries used, 20 node offsets.
inline constexpr uint32_t kChunkNextAt = 0;
inline constexpr uint32_t kChunkPrevAt = 4;
inline constexpr uint32_t kChunkUsedAt = 8;
inline constexpr uint32_t kChunkNodesAt = 12;
inline constexpr uint32_t kChunkCapacity = 20;
inline constexpr uint32_t kChunkBytes = kChunkNodesAt + 4 * kChunkCapacity;  // 92

// The key of a phone number's trailing digits in the text tree: this mark, then the digits in
// reverse order.
inline constexpr char16_t kPhoneKeyMark = u'~';

// The longest word the index keeps, in UTF-16 units: a longer run of characters is indexed (and
// searched) by its beginning, so a value's cost stays linear in its length and a word of a
// megabyte does not become a megabyte of tree. A phone key (its mark and trailing digits) is
// cut to the same length, and a number gives at most kMaxPhoneKeys keys.
inline constexpr size_t kMaxWordUnits = 64;
inline constexpr size_t kMaxPhoneKeys = 8;

}  // namespace WordsFormat
