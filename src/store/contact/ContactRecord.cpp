// The mapping of a Contact onto the properties of a record of "Contacts Database".
#include <span>

#include "store/contact/Contact.h"
#include "store/contact/ContactUid.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/CeDBRecord.h"

namespace {

using plat::CEVT_AUTO_I4;
using plat::CEVT_BLOB;
using plat::CEVT_FILETIME;
using plat::CEVT_I4;
using plat::CEVT_LPWSTR;
using plat::CEVT_STREAM;
using plat::CEVT_UI4;

bool IsNumber(uint16_t type) { return type == CEVT_UI4 || type == CEVT_I4 || type == CEVT_AUTO_I4; }
bool IsBlock(uint16_t type) { return type == CEVT_BLOB || type == CEVT_STREAM; }

std::span<const uint8_t> BlockOf(const CCeDBProp& prop) {
    if (prop.GetBlobData() == nullptr) return {};
    return {prop.GetBlobData(), prop.GetBlobSize()};
}

// A property that removes the stored one of its number.
CCeDBProp* Deletion(uint16_t number) {
    auto* prop = new CCeDBProp(number, uint32_t{0});
    prop->SetFlags(plat::CEDB_PROPDELETE);
    return prop;
}

CCeDBProp* Block(uint16_t number, std::span<const uint8_t> bytes) {
    return new CCeDBProp(number, bytes.data(), static_cast<uint32_t>(bytes.size()), true, CEVT_STREAM);
}

// A block for a new record (even empty), or for an update (an empty one deletes the stored one).
void AddBlock(CCeDBRecord& record, uint16_t number, std::span<const uint8_t> bytes, bool update) {
    record.Add(update && bytes.empty() ? Deletion(number) : Block(number, bytes));
}

void AddDate(CCeDBRecord& record, uint16_t number, uint64_t fileTime) {
    record.Add(fileTime == 0 ? Deletion(number)
                             : new CCeDBProp(number, static_cast<uint32_t>(fileTime),
                                             static_cast<uint32_t>(fileTime >> 32)));
}

}  // namespace

void Contact::LoadFromRecord(const CCeDBRecord& record, PictureLoad picture) {
    Clear();
    SetOid(record.GetOid());
    const CCeDBProp* note = nullptr;
    for (int i = 0; i < record.GetCount(); ++i) {
        const CCeDBProp& prop = *record.GetAt(i);
        if (prop.IsNotFound()) continue;
        if (prop.GetNumber() == kPropNote && IsBlock(prop.GetType())) {
            note = &prop;
        } else {
            TakeProperty(prop, picture);
        }
    }
    if (GetUid().IsEmpty() && GetOid() != 0 && !record.GetVolume().IsZero()) {
        SetUid(StoredContactUid(record.GetVolume(), GetOid()));
    }
    if (note != nullptr) {
        NoteProperty parts = SplitNoteProperty(BlockOf(*note), *this);
        SetNote(std::move(parts.note));
        embeddedState_ = parts.state;
    }
}

void Contact::TakeProperty(const CCeDBProp& prop, PictureLoad picture) {
    const uint16_t number = prop.GetNumber();
    const uint16_t type = prop.GetType();
    const int field = TextFieldOfProp(number);
    if (field >= 0) {
        if (type == CEVT_LPWSTR) SetText(field, Str(prop.GetText()));
    } else if (number == kPropPicture && IsBlock(type)) {
        if (picture == PictureLoad::Decode) SetPicture(ContactPicture::FromImageBytes(BlockOf(prop)));
    } else if (number == kPropBirthday && type == CEVT_FILETIME) {
        SetBirthday(prop.GetFileTime());
    } else if (number == kPropAnniversary && type == CEVT_FILETIME) {
        SetAnniversary(prop.GetFileTime());
    } else if (number == kPropDefaultTag && IsNumber(type)) {
        SetDefaultTag(prop.GetULong());
    } else if (number == kPropFlag102 && IsNumber(type)) {
        SetFlag102(prop.GetULong() != 0);
    } else if (number == kPropSimEntry && IsNumber(type)) {
        SetFromSim(prop.GetULong() != 0);
    } else if (number == kPropRecordId && IsNumber(type)) {
        SetRecordId(prop.GetULong());
    } else if (number == kPropUid && type == CEVT_LPWSTR) {
        SetUid(Str(prop.GetText()));
    } else if (number == kPropRevision && type == CEVT_FILETIME) {
        SetRevision(prop.GetFileTime());
    }
}

void Contact::SaveToRecord(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote) const {
    SaveProperties(db, record, writeNote, false);
}

void Contact::SaveChangesToRecord(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote) const {
    SaveProperties(db, record, writeNote, true);
}

void Contact::SaveProperties(const CCeDBDatabase& db, CCeDBRecord& record, bool writeNote,
                             bool update) const {
    for (int field = 0; field < kTextFieldCount; ++field) {
        const uint16_t number = TextFieldProp(field);
        const Str& text = GetText(field);
        if (!text.IsEmpty()) record.Add(new CCeDBProp(number, text.c_str(), true));
        else if (update) record.Add(Deletion(number));
    }
    if (writeNote) AddBlock(record, kPropNote, NotePropertyBytes(), update);
    AddBlock(record, kPropPicture, GetPicture().ImageBytes().Bytes(), update);
    if (db.HasContactsFlag()) record.Add(new CCeDBProp(kPropFlag102, uint32_t{0}));
    // Where a record lives is fixed when it is made: an update never writes or deletes the mark.
    if (IsFromSim() && !update) record.Add(new CCeDBProp(kPropSimEntry, uint32_t{1}));
    AddDate(record, kPropBirthday, GetBirthday());
    AddDate(record, kPropAnniversary, GetAnniversary());
    if (GetDefaultTag() != 0) record.Add(new CCeDBProp(kPropDefaultTag, GetDefaultTag()));
    else if (update) record.Add(Deletion(kPropDefaultTag));
    // The identity and the revision are written when the contact has them and never deleted: a
    // contact read without them (stored before they existed) keeps what the store has.
    if (!GetUid().IsEmpty()) record.Add(new CCeDBProp(kPropUid, GetUid().c_str(), true));
    if (GetRevision() != 0) AddDate(record, kPropRevision, GetRevision());
}

void Contact::StampChange(const CCeDBDatabase& db, uint64_t now, bool created) {
    if (GetUid().IsEmpty()) {
        const bool stored = !created && GetOid() != 0 && !db.VolumeId().IsZero();
        SetUid(stored ? StoredContactUid(db.VolumeId(), GetOid()) : NewContactUid());
    }
    if (!created || GetRevision() == 0) SetRevision(now);
}

bool WriteDefaultTag(CCeDBDatabase& db, uint32_t oid, uint32_t tag) {
    CCeDBRecord record;
    record.SetOid(oid);
    record.Add(tag == 0 ? Deletion(kPropDefaultTag) : new CCeDBProp(kPropDefaultTag, tag));
    return db.Write(record, CCeDBDatabase::kWriteUpdate) == oid;
}
