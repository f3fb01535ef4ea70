#pragma once
// Contact: the full contact used everywhere: the standard properties (StdContact) and the further
// values (ContactCustProps), with the mapping onto a record of "Contacts Database".
//
// The further values are stored with the contact, in the embedded information block at the end of
// its note property (EmbeddedInfo.h); the index file pim_index2.dat holds only a copy.
#include <cstdint>
#include <vector>

#include "store/contact/ContactCustProps.h"
#include "store/contact/EmbeddedInfo.h"
#include "store/contact/StdContact.h"

class CCeDBDatabase;
class CCeDBProp;
class CCeDBRecord;

class Contact : public StdContact, public ContactCustProps {
public:
    using StdContact::Assign;
    using StdContact::Equals;
    using ContactCustProps::Equals;
    using StdContact::NotEquals;

    // Copies the whole contact.
    virtual void Assign(const Contact& other);
    // Every value but the record identity (object identifier, record identifier value, the
    // platform flag 0x102, the SIM card mark 0x103, the UID and the revision): the texts, both
    // dates, the default dial tag, the picture, the note and the further values with the categories.
    [[nodiscard]] virtual bool Equals(const Contact& other) const;
    [[nodiscard]] bool NotEquals(const Contact& other) const { return !Equals(other); }
    void Clear() override;
    // StdContact::IsEmpty and no further values in any list.
    [[nodiscard]] bool IsEmpty() const override;

    // --- Record mapping --------------------------------------------------------------------------
    // Clears the contact and takes every property of `record` it knows by number; properties of
    // other numbers, of an unexpected type or flagged not found are ignored. A record read from a
    // volume without a UID gets the one derived from its volume and object identifier. A picture that does
    // not decode is dropped; a damaged embedded block is ignored and the note kept. A reader that
    // never shows the picture (the index) skips it: decoding it is most of the cost of a read.
    enum class PictureLoad { Decode, Skip };
    void LoadFromRecord(const CCeDBRecord& record, PictureLoad picture = PictureLoad::Decode);
    // The state of the embedded block met by the last LoadFromRecord.
    EmbeddedState LastEmbeddedState() const { return embeddedState_; }

    // Before a write: a contact without a UID gets one (for a stored contact the one every reader
    // has given it, StoredContactUid; for a new one a random one) and its revision becomes `now`;
    // a new contact (`created`) that came with a revision (an imported card's) keeps it.
    void StampChange(const CCeDBDatabase& db, uint64_t now, bool created);
    // Builds the properties of a new record (empty texts left out) into `record`. With
    // `writeNote`, property 0x1E carries the note and the further values. A contact from the SIM
    // card gets the mark 0x103 = 1; a copy meant for the phone's memory must clear it first.
    void SaveToRecord(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote) const;
    // Builds the properties of an update of the stored record: empty values are written as
    // deletes, so the stored ones go. The SIM card mark is left as stored.
    void SaveChangesToRecord(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote) const;

    // The bytes property 0x1E gets: the note followed by the embedded block of the further values.
    std::vector<uint8_t> NotePropertyBytes() const;

private:
    // Takes one property other than the note; numbers and types it does not know are ignored.
    void TakeProperty(const CCeDBProp& prop, PictureLoad picture);
    void SaveProperties(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote,
                        bool update) const;
    EmbeddedState embeddedState_ = EmbeddedState::None;
};

// Sets property 0xF8 (the default dial tag) alone on the stored record `oid`; a tag of 0 deletes
// the property. False when the write fails.
[[nodiscard]] bool WriteDefaultTag(CCeDBDatabase& db, uint32_t oid, uint32_t tag);
