#pragma once
// Byte layout of the index files pim_index1.dat and pim_index2.dat: the container that both share
// (a mapped image saved with a length word and a checksum) and the header and heap of
// pim_index1.dat. Every size and offset that the code relies on is named here once;
// docs/index-files.md describes the same layout for readers of the files. All words are 32-bit
// little-endian.
#include <cstdint>

namespace IndexFormat {

// --- Container --------------------------------------------------------------------------------
// In memory a view starts with the used length U of the image, then the U image bytes, then four
// bytes that belong to no image. A file of length L = U + 4 holds the image, whose last four
// bytes are replaced by L, then the CRC-32C of the L - 4 bytes before it.
inline constexpr uint32_t kLengthWordBytes = 4;  // the used length at the start of the view
inline constexpr uint32_t kFileExtraBytes = 4;   // a file is four bytes longer than its image
inline constexpr uint32_t kFileLengthFromEnd = 8;  // the length word sits at L - 8
inline constexpr uint32_t kChecksumFromEnd = 4;    // the CRC-32C sits at L - 4
inline constexpr uint32_t kMinImageBytes = 4;      // an image holds at least its stamped length
inline constexpr uint32_t kImageAlignment = 4;     // image lengths are multiples of four

// A new image of a requested size r is max(r, kMinCreateRequest) + kCreateSlack bytes, rounded
// down to a multiple of four.
inline constexpr uint32_t kMinCreateRequest = 10240;
inline constexpr uint32_t kCreateSlack = 47;

// Address space reserved for one image (pages are committed only as the image grows). Images
// stay below 4 GiB so that every offset, length and file length fits a 32-bit word.
inline constexpr uint64_t kViewBytes = uint64_t{1} << 32;
// The largest image a view of `viewBytes` can hold: the view keeps the used length and the four
// bytes after the image, and the file length (image + 4) must fit 32 bits.
constexpr uint32_t MaxImageBytes(uint64_t viewBytes) {
    const uint64_t cap = viewBytes < kViewBytes ? viewBytes : kViewBytes;
    const uint64_t room = cap < 8 ? 0 : cap - kLengthWordBytes - kFileExtraBytes;
    return static_cast<uint32_t>(room / kImageAlignment * kImageAlignment);
}

// Background saves write the file in pieces of this many bytes.
inline constexpr uint32_t kSavePieceBytes = 4096;

// --- pim_index1.dat: header -------------------------------------------------------------------
inline constexpr uint32_t kIndexMagic = 1;
// Version 7 holds the folded spellings of the words and keys letters through their folds; an
// image of an older version is not opened (the index is rebuilt).
inline constexpr uint32_t kIndexVersion = 7;
// The header's words, by index (byte offset = 4 x index).
enum HeaderWord : uint32_t {
    kMagicWord = 0,
    kVersionWord = 1,
    kTextRootWord = 2,       // root node of the text word tree
    kGroupRootWord = 3,      // root node of the group-key word tree
    kTextMapWord = 4,        // contact map of the text tree
    kGroupMapWord = 5,       // contact map of the group tree
    kOrderNameWord = 6,      // OID list in name order
    kOrderFileAsWord = 7,    // OID list in File As order
    kSlotTableWord = 8,      // (OID, properties slot) pairs
    kCategoriesWord = 9,     // (category id, OID list) pairs ascending by id
    kUncategorisedWord = 10, // OID list of the contacts with an item number and no category
    kHeaderWordCount = 11,
};
inline constexpr uint32_t kHeaderBytes = kHeaderWordCount * 4;

// --- pim_index1.dat: heap ---------------------------------------------------------------------
// The heap fills the image from kHeapOffset (H). H + 0: heap length; H + 4: offset (from H) of the
// lowest free block, 0 when none; blocks from H + 8. A block is a signed 32-bit tag (+n in use,
// -n free, n payload bytes), the payload, and the tag again (footer). A free payload starts with
// the offsets (from H) of the next and the previous free block: one circular list in address
// order.
inline constexpr uint32_t kHeapOffset = kHeaderBytes;
inline constexpr uint32_t kHeapLengthAt = 0;
inline constexpr uint32_t kHeapFreeHeadAt = 4;
inline constexpr uint32_t kHeapFirstBlock = 8;
inline constexpr uint32_t kBlockTagBytes = 4;
inline constexpr uint32_t kBlockOverhead = 8;        // tag and footer
inline constexpr uint32_t kMinPayload = 8;           // room for the two free-list links
inline constexpr uint32_t kPayloadAlignment = 4;
inline constexpr uint32_t kFreeNextAt = 0;           // in a free payload
inline constexpr uint32_t kFreePrevAt = 4;
// A split leaves a free remainder only when it can hold a minimal block.
inline constexpr uint32_t kMinSplitRemainder = kMinPayload + kBlockOverhead;
// The largest payload a tag can state.
inline constexpr uint32_t kMaxPayload = 0x7FFFFFFCu;
// The smallest heap: the two heap words and one minimal block.
inline constexpr uint32_t kMinHeapBytes = kHeapFirstBlock + kMinPayload + kBlockOverhead;
// A new index image is requested with this size; a heap grows by at least kMinGrowth bytes.
inline constexpr uint32_t kNewIndexRequest = 102400;
inline constexpr uint32_t kMinGrowth = 102400;

}  // namespace IndexFormat
