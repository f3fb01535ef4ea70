// Contacts written to and read from a real contacts database on a temporary device.
#include "store/contact/Contact.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/pom/VolumeDevice.h"
#include "store/contact/CustPropsCodec.h"
#include "store/contact/Samples.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "support/HostFiles.h"

namespace {

ContactPicture Picture() {
    plat::RgbBitmap bitmap{3, 2, std::vector<uint8_t>(18, 0x7F)};
    return ContactPicture::FromBitmap(bitmap, plat::ImageFormat::Png);
}

Contact FullContact() {
    Contact c;
    for (int field = 0; field < kTextFieldCount; ++field) {
        c.SetText(field, Str(u"v") + Str(std::u16string(1, static_cast<char16_t>(u'A' + field % 26))));
    }
    c.SetBirthday(0x01D0000000000000ull);
    c.SetAnniversary(0x01D1000000000000ull);
    c.SetDefaultTag(0xF1234567);
    c.SetPicture(Picture());
    c.SetNote(ByteBlock(Utf16Bytes(u"Met at the fair")));
    static_cast<ContactCustProps&>(c) = SampleCustProps();
    return c;
}

// What a record holds, by property number: (type, flags).
std::map<uint16_t, std::pair<uint16_t, uint16_t>> Shape(const CCeDBRecord& record) {
    std::map<uint16_t, std::pair<uint16_t, uint16_t>> shape;
    for (int i = 0; i < record.GetCount(); ++i) {
        const CCeDBProp* p = record.GetAt(i);
        shape[p->GetNumber()] = {p->GetType(), p->GetFlags()};
    }
    return shape;
}

class ContactRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db_.Open(kContactsDbName)); }

    plat::CeOid Store(const Contact& contact, bool writeNote = true) {
        CCeDBRecord record;
        contact.SaveToRecord(db_, record, writeNote);
        return db_.Write(record, CCeDBDatabase::kWriteNew);
    }
    bool Update(const Contact& contact, bool writeNote = true) {
        CCeDBRecord record;
        contact.SaveChangesToRecord(db_, record, writeNote);
        record.SetOid(contact.GetOid());
        return db_.Write(record, CCeDBDatabase::kWriteUpdate) == contact.GetOid();
    }
    void ReadStored(plat::CeOid oid, CCeDBRecord& record) {
        EXPECT_TRUE(db_.SeekToRecord(oid));
        EXPECT_EQ(db_.Read(record), oid);
    }
    Contact Load(plat::CeOid oid) {
        CCeDBRecord record;
        ReadStored(oid, record);
        Contact contact;
        contact.LoadFromRecord(record);
        return contact;
    }
    // Writes raw properties as another program would.
    plat::CeOid WriteRaw(std::vector<CCeDBProp*> props) {
        CCeDBRecord record;
        for (CCeDBProp* p : props) record.Add(p);
        return db_.Write(record, CCeDBDatabase::kWriteNew);
    }

    VolumeDevice device_;
    CCeDBDatabase db_;
};

}  // namespace

// Every value is read back as stored; the default tag can be written alone; an update deletes
// what was emptied.
TEST_F(ContactRecordTest, EveryValueSurvivesTheStoreAndAnUpdateDeletesWhatWasEmptied) {
    Contact contact = FullContact();
    contact.SetOid(Store(contact));
    ASSERT_NE(contact.GetOid(), 0u);
    const Contact loaded = Load(contact.GetOid());
    EXPECT_EQ(loaded.GetOid(), contact.GetOid());
    EXPECT_NE(loaded.GetRecordId(), 0u);  // numbered by the store
    EXPECT_EQ(loaded.LastEmbeddedState(), EmbeddedState::Valid);
    EXPECT_TRUE(loaded.Equals(contact));
    EXPECT_EQ(loaded.GetPicture().ImageBytes(), contact.GetPicture().ImageBytes());
    ASSERT_TRUE(WriteDefaultTag(db_, contact.GetOid(), 0xF0000042));
    contact.SetDefaultTag(0xF0000042);
    EXPECT_TRUE(Load(contact.GetOid()).Equals(contact));
    EXPECT_FALSE(WriteDefaultTag(db_, contact.GetOid() + 1000, 1));

    contact.SetText(kFieldFirst, u"");
    contact.SetText(kFieldMms, u"");
    contact.SetBirthday(0);
    contact.SetDefaultTag(0);
    contact.SetPicture(ContactPicture());
    contact.SetNote(ByteBlock());
    contact.ContactCustProps::Clear();

    ASSERT_TRUE(Update(contact));
    CCeDBRecord stored;
    ReadStored(contact.GetOid(), stored);
    for (uint16_t number : {uint16_t{0x82}, uint16_t{0x10A3}, kPropBirthday, kPropDefaultTag, kPropPicture, kPropNote}) {
        EXPECT_EQ(stored.Find(number), nullptr) << number;
    }
    EXPECT_TRUE(Load(contact.GetOid()).Equals(contact));
}

// A new record leaves out empty values, apart from an empty picture stream and a deleted
// anniversary; once the database carries flag 102, records also get property 0x102 holding 0.
TEST_F(ContactRecordTest, ANewRecordLeavesOutEmptyValuesAndFollowsTheDatabaseFlag) {
    Contact birthdayOnly;
    birthdayOnly.SetBirthday(0x01D0000000000000ull);
    CCeDBRecord record, flagged;
    birthdayOnly.SaveToRecord(db_, record, false);
    std::map<uint16_t, std::pair<uint16_t, uint16_t>> expected = {
        {kPropPicture, {plat::CEVT_STREAM, 0}},
        {kPropBirthday, {plat::CEVT_FILETIME, 0}},
        {kPropAnniversary, {plat::CEVT_UI4, plat::CEDB_PROPDELETE}},
    };
    EXPECT_EQ(Shape(record), expected);
    EXPECT_EQ(record.Find(kPropPicture)->GetBlobSize(), 0u);

    // The flag is a property of the database itself, set as the platform would.
    const plat::PropVal flag = plat::PropVal::Number(kDatabaseFlag102, 1);
    const plat::DbHandle raw = plat::OpenDatabase(db_.VolumeId(), u"Contacts Database", nullptr, {});
    ASSERT_TRUE(plat::SetDatabaseProps(raw, std::span(&flag, 1)));
    plat::CloseDatabase(raw);
    db_.ReadContactsFlag();
    birthdayOnly.SaveToRecord(db_, flagged, false);
    expected[kPropFlag102] = {plat::CEVT_UI4, 0};
    EXPECT_EQ(Shape(flagged), expected);
    EXPECT_EQ(flagged.Find(kPropFlag102)->GetULong(), 0u);
}

TEST_F(ContactRecordTest, ForeignRecordsLoadWithoutHarm) {
    const std::u16string longText(200000, u'x');
    std::vector<uint8_t> damagedPicture = {0x89, 'P', 'N', 'G', 1, 2, 3};
    std::vector<uint8_t> note = Utf16Bytes(u"plain note");
    const plat::CeOid oid = WriteRaw({
        new CCeDBProp(0x82, longText.c_str(), true),      // an over-long first name
        new CCeDBProp(0x84, uint32_t{5}),                  // last name of the wrong type
        new CCeDBProp(0x7777, u"unknown", true),           // a property this system does not know
        new CCeDBProp(kPropBirthday, u"1990-01-01", true),  // a date as text
        new CCeDBProp(kPropAnniversary, uint32_t{1}, uint32_t{2}),
        new CCeDBProp(kPropDefaultTag, u"tag", true),
        new CCeDBProp(kPropPicture, damagedPicture.data(), 7, true),
        new CCeDBProp(kPropNote, note.data(), static_cast<uint32_t>(note.size()), true),
    });
    ASSERT_NE(oid, 0u);
    const Contact loaded = Load(oid);
    EXPECT_EQ(loaded.GetText(kFieldFirst).GetLength(), 200000);
    EXPECT_TRUE(loaded.GetText(kFieldLast).IsEmpty());
    EXPECT_EQ(loaded.GetBirthday(), 0u);
    EXPECT_EQ(loaded.GetAnniversary(), (uint64_t{2} << 32) | 1);
    EXPECT_EQ(loaded.GetDefaultTag(), 0u);
    EXPECT_TRUE(loaded.GetPicture().IsEmpty());
    EXPECT_EQ(loaded.GetNoteText(), u"plain note");
    EXPECT_EQ(loaded.LastEmbeddedState(), EmbeddedState::None);

    std::vector<uint8_t> damaged = FullContact().NotePropertyBytes();
    damaged[damaged.size() - 30] ^= 0xFF;  // inside the record: the checksum no longer matches
    const Contact kept = Load(WriteRaw({new CCeDBProp(kPropNote, damaged.data(), static_cast<uint32_t>(damaged.size()), true)}));
    EXPECT_EQ(kept.LastEmbeddedState(), EmbeddedState::Damaged);
    EXPECT_EQ(kept.GetNoteText(), u"Met at the fair");
    EXPECT_TRUE(kept.NothingToStore());
}
