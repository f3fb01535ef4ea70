#pragma once
// The program's embedded information block: a contact's further values kept inside its note
// property 0x1E, after the note data, so that the contacts store itself holds every value of a
// contact and the index files are only a cache that can be rebuilt without loss.
//
// Layout (ContactRecordFormat.h, docs/contact-record.md): note data, a NUL unit, the further
// values' record, a 20-byte footer (record length, CRC-32 of the record, version, tag). A property without the
// tag at its end is all note. A block whose footer or record does not check out is ignored: the
// further values are taken as empty and the note is kept (without the block's bytes when its
// extent is known).
#include <cstdint>
#include <span>
#include <vector>

#include "store/contact/ByteBlock.h"
#include "store/contact/ContactCustProps.h"

enum class EmbeddedState {
    None,     // the property is all note
    Valid,    // the further values were read from the block
    Damaged,  // a block was there but could not be used; the further values are empty
};

// The bytes of property 0x1E for a note and further values: the note alone when there is
// nothing to store (ContactCustProps::NothingToStore), else note, record and footer.
std::vector<uint8_t> JoinNoteProperty(std::span<const uint8_t> note, const ContactCustProps& values);

struct NoteProperty {
    ByteBlock note;  // the note without the embedded block
    EmbeddedState state = EmbeddedState::None;
};

// Splits property 0x1E. The stored further values of `values` are replaced by those of the block
// (emptied when there is none or it is damaged); its categories stay.
NoteProperty SplitNoteProperty(std::span<const uint8_t> property, ContactCustProps& values);
