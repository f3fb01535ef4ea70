#pragma once
// The record of a contact's further values: ContactCustProps (without its categories) as bytes
// and back. One codec serves both places the record is kept: the embedded information block of
// the note property and a slot of pim_index2.dat. The layout is in ContactRecordFormat.h and
// docs/contact-record.md.
#include <cstdint>
#include <span>
#include <vector>

#include "store/contact/ContactCustProps.h"

// The record of `values`: 56 bytes for a contact without further values. Empty only when the
// values would make a record longer than custrec::kMaxRecordLength.
std::vector<uint8_t> EncodeCustProps(const ContactCustProps& values);

enum class RecordError {
    None,
    TooShort,         // fewer bytes than the record header
    LengthMismatch,   // the length word differs from the number of bytes given
    BadSectionTable,  // a section start outside the record or before the previous one
    BadEntry,         // an entry overrunning its section, a text without NUL, a wrong length
};

struct RecordStatus {
    RecordError error = RecordError::None;
    int section = -1;  // the section of a BadEntry (0 to 8)

    [[nodiscard]] bool ok() const { return error == RecordError::None; }
};

// Reads a record of exactly bytes.size() bytes into `out` (the stored values; the categories of
// `out` stay as they are). Every length and offset is checked against the record before it is
// used; a damaged record leaves `out` unchanged.
RecordStatus DecodeCustProps(std::span<const uint8_t> bytes, ContactCustProps& out);
