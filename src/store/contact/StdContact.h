#pragma once
// StdContact: the standard properties of a contact record: the text fields (kTextFieldCount),
// the record identifier value, the picture and the note.
#include <array>
#include <cstdint>

#include "core/str/Str.h"
#include "store/contact/ByteBlock.h"
#include "store/contact/ContactBase.h"
#include "store/contact/ContactFields.h"
#include "store/contact/ContactPicture.h"

class StdContact : public ContactBase {
public:
    using ContactBase::Assign;
    using ContactBase::Equals;

    void Clear() override;
    // Every text empty, ContactBase::IsEmpty, no picture and no note.
    [[nodiscard]] bool IsEmpty() const override;

    // Text field `field` (ContactField); an index outside 0..57 reads empty and writes nothing.
    const Str& GetText(int field) const;
    void SetText(int field, const Str& text);

    // Property 0x1000, the record identifier value (the contact's item number); 0 when the record
    // has none yet. Category assignments and named values are keyed by it.
    uint32_t GetRecordId() const { return recordId_; }
    void SetRecordId(uint32_t id) { recordId_ = id; }

    const ContactPicture& GetPicture() const { return picture_; }
    void SetPicture(ContactPicture picture) { picture_ = std::move(picture); }

    // The note: the data of property 0x1E without the program's embedded information block.
    const ByteBlock& GetNote() const { return note_; }
    void SetNote(ByteBlock note) { note_ = std::move(note); }
    // The note as text (UTF-16LE up to its first NUL unit), as the index and the view read it.
    Str GetNoteText() const;

    // Last, ", " and First when Last is set (", First" only when First is set); otherwise the
    // first non-empty of First, Company, Middle, Title and Suffix; otherwise empty. Every part is
    // taken with white space trimmed at both ends.
    Str GetDisplayName() const;
    // The name as written out for other programs: Title, First, Middle, Last and Suffix, those that
    // are set, joined by blanks ("Dr. Anna Smith"); the Company when none is set; each part with
    // white space trimmed at both ends.
    Str GetFormattedName() const;

protected:
    // Every text, the picture and the note of both contacts equal.
    [[nodiscard]] bool SameStandardValues(const StdContact& other) const;

private:
    std::array<Str, kTextFieldCount> texts_;
    uint32_t recordId_ = 0;
    ContactPicture picture_;
    ByteBlock note_;
};
