#pragma once
// Byte layouts kept with a contact, in one place: the record of a contact's further values (the
// serialised ContactCustProps, also the record of a slot of pim_index2.dat) and the embedded
// information block that carries that record at the end of the note property 0x1E.
// docs/contact-record.md describes both byte for byte. All words are 32-bit little-endian; texts
// are UTF-16LE, each followed by a NUL unit.
#include <array>
#include <cstdint>

namespace custrec {

// Record header.
inline constexpr uint32_t kOffTotalLength = 0;
inline constexpr uint32_t kOffFourthFormat = 4;
inline constexpr uint32_t kOffHomeFormat = 8;
inline constexpr uint32_t kOffWorkFormat = 12;
inline constexpr uint32_t kOffOtherFormat = 16;
inline constexpr uint32_t kOffSectionStarts = 20;  // nine words: where each section starts
inline constexpr int kSectionCount = 9;
inline constexpr uint32_t kHeaderSize = 56;  // sections begin here

// Sections, in record order.
enum Section : int {
    kPhones = 0, kEmails, kWebPages, kPeople, kRingtones, kOthers,  // two texts an entry
    kIms,        // three texts an entry
    kAddresses,  // format, text offsets, six texts
    kDates,      // file time and one text
};

// Entry layouts: every entry starts with its own length word.
inline constexpr uint32_t kOffEntryTexts = 4;          // two- and three-text entries
inline constexpr uint32_t kOffAddressFormat = 4;
inline constexpr uint32_t kOffAddressTextOffsets = 8;  // five words: texts 2 to 6, from the entry
inline constexpr uint32_t kOffAddressFirstText = 28;
inline constexpr int kAddressTexts = 6;
inline constexpr uint32_t kOffDateLow = 4;
inline constexpr uint32_t kOffDateHigh = 8;
inline constexpr uint32_t kOffDateText = 12;

// Entry lengths from the character counts of the texts (without their NULs). Each is rounded down
// to a multiple of 4 and always leaves room for the entry's words, texts and NULs.
constexpr uint64_t RoundDown4(uint64_t n) { return n & ~uint64_t{3}; }
constexpr uint64_t PairEntryLength(uint64_t chars) { return RoundDown4(chars * 2 + 13); }
constexpr uint64_t ImEntryLength(uint64_t chars) { return RoundDown4(chars * 2 + 15); }
constexpr uint64_t AddressEntryLength(uint64_t chars) { return RoundDown4(chars * 2 + 45); }
constexpr uint64_t DateEntryLength(uint64_t chars) { return RoundDown4(chars * 2 + 19); }

// The longest record written or accepted.
inline constexpr uint64_t kMaxRecordLength = 0x7FFFFFFF;

}  // namespace custrec

namespace embedded {

// The note property 0x1E holds: the note data, then (when the contact has further values) the
// embedded block: a separator of two zero bytes (a NUL unit, so that a program reading the note as
// NUL-terminated text stops before the block), the record above, then this footer, which ends the
// property:
//   +0  record length R (bytes of the record between the separator and the footer)
//   +4  CRC-32 (IEEE 802.3, reflected, as zlib computes it) of those R bytes
//   +8  layout version
//   +12 the 8-byte tag
inline constexpr uint32_t kOffRecordLength = 0;
inline constexpr uint32_t kOffCrc = 4;
inline constexpr uint32_t kOffVersion = 8;
inline constexpr uint32_t kOffTag = 12;
inline constexpr uint32_t kFooterSize = 20;
inline constexpr uint32_t kSeparatorSize = 2;
inline constexpr uint32_t kVersion = 1;
inline constexpr std::array<uint8_t, 8> kTag = {0x00, 'B', 'R', 'V', 'I', 'N', 'F', 0x1A};

}  // namespace embedded
