// Contacts written to and read from a real contacts database, and their numbers and addresses to
// the named-values table, on a temporary device.
#include "store/contact/Contact.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "store/contact/ContactUid.h"
#include "store/contact/CustPropsCodec.h"
#include "store/contact/NamedValues.h"
#include "store/contact/Samples.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "support/ContactOf.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

Contact FullContact() {
    Contact c;
    for (int field = 0; field < kTextFieldCount; ++field) {
        c.SetText(field, Str(u"v") + Str(std::u16string(1, static_cast<char16_t>(u'A' + field % 26))));
    }
    c.SetBirthday(0x01D0000000000000ull);
    c.SetAnniversary(0x01D1000000000000ull);
    c.SetDefaultTag(0xF1234567);
    c.SetPicture(ContactPicture::FromBitmap({3, 2, std::vector<uint8_t>(18, 0x7F)}, plat::ImageFormat::Png));
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

    plat::CeOid Store(const Contact& contact) {
        CCeDBRecord record;
        contact.SaveToRecord(db_, record, true);
        return db_.Write(record, CCeDBDatabase::kWriteNew);
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

    TempDevice device_;
    CCeDBDatabase db_;
};

struct Row {
    uint32_t key;
    uint32_t kind;
    std::u16string text;
    bool operator==(const Row&) const = default;
};

class NamedValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const plat::SortProp order[] = {{kNamedKeyProp, 0}, {kNamedKindProp, 0}};
        ASSERT_TRUE(named_.Open(kNamedPropsDbName, order, 2));
    }

    // Every record of the table, in identifier order.
    std::vector<Row> Rows() {
        CCeDBDatabase all;
        EXPECT_TRUE(all.Open(kNamedPropsDbName));
        std::vector<Row> rows;
        for (bool more = all.SeekFirst(); more; more = all.SeekNext()) {
            CCeDBRecord record;
            all.Read(record);
            const CCeDBProp* text = record.Find(3);
            std::u16string value(reinterpret_cast<const char16_t*>(text->GetBlobData()), text->GetBlobSize() / 2);
            rows.push_back({record.Find(1)->GetULong(), record.Find(2)->GetULong(), value});
        }
        return rows;
    }

    void WriteOther(uint32_t key, uint32_t kind) {
        CCeDBRecord record;
        record.Add(new CCeDBProp(1, key));
        record.Add(new CCeDBProp(2, kind));
        const char16_t text[] = u"keep";
        record.Add(new CCeDBProp(3, reinterpret_cast<const uint8_t*>(text), sizeof text, true));
        ASSERT_NE(named_.Write(record, CCeDBDatabase::kWriteNew), 0u);
    }

    TempDevice device_;
    CCeDBDatabase named_;
};

StdContact Person(uint32_t recordId) {
    StdContact c;
    c.SetRecordId(recordId);
    c.SetText(kFieldMobile, u"+1 555");
    c.SetText(kFieldWorkPhone, u"123-45");
    c.SetText(kFieldMms, u"9");
    c.SetText(kFieldEmail2, u"anna@example.org");
    return c;
}

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

    CCeDBRecord changes, stored;
    contact.SaveChangesToRecord(db_, changes, true);
    changes.SetOid(contact.GetOid());
    ASSERT_EQ(db_.Write(changes, CCeDBDatabase::kWriteUpdate), contact.GetOid());
    ReadStored(contact.GetOid(), stored);
    for (uint16_t number : {uint16_t{0x82}, uint16_t{0x10A3}, kPropBirthday, kPropDefaultTag, kPropPicture, kPropNote}) {
        EXPECT_EQ(stored.Find(number), nullptr) << number;
    }
    EXPECT_TRUE(Load(contact.GetOid()).Equals(contact));
}

// A contact's UID: a record stored without one reads with the name-based UID of its volume and
// object identifier, the same at every read, until a save stores it; a new contact gets a random
// one. The revision is the time of the save, but a new contact keeps the one it came with.
TEST_F(ContactRecordTest, EveryContactHasAStableUidAndTheSaveStampsItsRevision) {
    // The name-based UUID as RFC 9562 computes it (its DNS namespace, "www.example.com").
    const UuidBytes dns = {0x6b, 0xa7, 0xb8, 0x10, 0x9d, 0xad, 0x11, 0xd1,
                           0x80, 0xb4, 0x00, 0xc0, 0x4f, 0xd4, 0x30, 0xc8};
    const std::string name = "www.example.com";
    EXPECT_EQ(
        UuidText(NameBasedUuid(dns, std::span(reinterpret_cast<const uint8_t*>(name.data()), name.size()))),
        Str(u"2ed6657d-e927-568b-95e1-2665a8aea6a2"));

    const plat::CeOid old = WriteRaw({new CCeDBProp(0x82, u"Old", true)});
    const plat::CeOid other = WriteRaw({new CCeDBProp(0x82, u"Other", true)});
    Contact loaded = Load(old);
    EXPECT_EQ(loaded.GetUid(), StoredContactUid(db_.VolumeId(), old));
    EXPECT_EQ(Load(old).GetUid(), loaded.GetUid());
    EXPECT_NE(Load(other).GetUid(), loaded.GetUid());
    EXPECT_EQ(loaded.GetUid().GetLength(), 36);
    EXPECT_EQ(loaded.GetUid()[14], u'5');

    loaded.StampChange(db_, 0x01D2000000000000ull, false);
    CCeDBRecord changes, stored;
    loaded.SaveChangesToRecord(db_, changes, true);
    changes.SetOid(old);
    ASSERT_EQ(db_.Write(changes, CCeDBDatabase::kWriteUpdate), old);
    ReadStored(old, stored);
    ASSERT_NE(stored.Find(kPropUid), nullptr);
    EXPECT_EQ(Str(stored.Find(kPropUid)->GetText()), loaded.GetUid());
    EXPECT_EQ(Load(old).GetRevision(), 0x01D2000000000000ull);

    Contact fresh = ContactOf({{kFieldFirst, u"New"}});
    Contact imported = fresh;
    imported.SetUid(u"card-uid");
    imported.SetRevision(0x01C0000000000000ull);
    fresh.StampChange(db_, 0x01D3000000000000ull, true);
    imported.StampChange(db_, 0x01D3000000000000ull, true);
    EXPECT_EQ(fresh.GetRevision(), 0x01D3000000000000ull);
    EXPECT_EQ(fresh.GetUid()[14], u'4');
    Contact second;
    second.StampChange(db_, 1, true);
    EXPECT_NE(second.GetUid(), fresh.GetUid());
    EXPECT_EQ(imported.GetUid(), Str(u"card-uid"));
    EXPECT_EQ(imported.GetRevision(), 0x01C0000000000000ull);
    const Contact back = Load(Store(imported));
    EXPECT_EQ(std::pair(back.GetUid(), back.GetRevision()),
              std::pair(imported.GetUid(), imported.GetRevision()));
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
    (void)plat::CloseDatabase(raw);  // clean-up
    db_.ReadContactsFlag();
    birthdayOnly.SaveToRecord(db_, flagged, false);
    expected[kPropFlag102] = {plat::CEVT_UI4, 0};
    EXPECT_EQ(Shape(flagged), expected);
    EXPECT_EQ(flagged.Find(kPropFlag102)->GetULong(), 0u);
}

// The SIM card mark: a number other than 0 marks an entry of the card; a record without it, with 0
// or with a value of another type is the phone's own. An update, of whatever contact, leaves the
// stored property exactly as it was, and only a new record of a SIM contact gets one.
TEST_F(ContactRecordTest, TheSimMarkIsReadFromNumbersAndNeverRewrittenByAnUpdate) {
    const std::u16string text = u"sim";
    struct Case {
        const char* what;
        CCeDBProp* (*mark)(const std::u16string&);
        bool fromSim;
    };
    const Case cases[] = {
        {"absent", [](const std::u16string&) -> CCeDBProp* { return nullptr; }, false},
        {"unsigned 1", [](const std::u16string&) { return new CCeDBProp(kPropSimEntry, uint32_t{1}); }, true},
        {"unsigned 0", [](const std::u16string&) { return new CCeDBProp(kPropSimEntry, uint32_t{0}); },
         false},
        {"unsigned 7", [](const std::u16string&) { return new CCeDBProp(kPropSimEntry, uint32_t{7}); }, true},
        {"text", [](const std::u16string& t) { return new CCeDBProp(kPropSimEntry, t.c_str(), true); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<CCeDBProp*> props = {new CCeDBProp(0x82, u"Anna", true)};
        if (CCeDBProp* mark = c.mark(text)) props.push_back(mark);
        const plat::CeOid oid = WriteRaw(props);
        ASSERT_NE(oid, 0u);
        CCeDBRecord before;
        ReadStored(oid, before);
        Contact loaded = Load(oid);
        EXPECT_EQ(loaded.IsFromSim(), c.fromSim);

        loaded.SetText(kFieldLast, u"Smith");
        loaded.SetFromSim(!loaded.IsFromSim());
        CCeDBRecord changes, after;
        loaded.SaveChangesToRecord(db_, changes, true);
        EXPECT_EQ(changes.Find(kPropSimEntry), nullptr);
        changes.SetOid(oid);
        ASSERT_EQ(db_.Write(changes, CCeDBDatabase::kWriteUpdate), oid);
        ReadStored(oid, after);
        const CCeDBProp* was = before.Find(kPropSimEntry);
        const CCeDBProp* is = after.Find(kPropSimEntry);
        ASSERT_EQ(was == nullptr, is == nullptr);
        if (was != nullptr) {
            EXPECT_EQ(is->GetType(), was->GetType());
            if (was->GetType() == plat::CEVT_LPWSTR) {
                EXPECT_EQ(std::u16string(is->GetText()), std::u16string(was->GetText()));
            } else {
                EXPECT_EQ(is->GetULong(), was->GetULong());
            }
        }
        EXPECT_EQ(Load(oid).IsFromSim(), c.fromSim);
    }

    Contact sim;
    sim.SetText(kFieldFirst, u"Card");
    sim.SetFromSim(true);
    const Contact stored = Load(Store(sim));
    EXPECT_TRUE(stored.IsFromSim());
    EXPECT_TRUE(stored.Equals(sim));
    sim.SetFromSim(false);
    CCeDBRecord own;
    sim.SaveToRecord(db_, own, true);
    EXPECT_EQ(own.Find(kPropSimEntry), nullptr);
}

TEST_F(ContactRecordTest, ForeignRecordsLoadWithoutHarm) {
    const std::u16string longText(200000, u'x');
    std::vector<uint8_t> note = Utf16Bytes(u"plain note");
    const plat::CeOid oid = WriteRaw({
        new CCeDBProp(0x82, longText.c_str(), true),      // an over-long first name
        new CCeDBProp(0x84, uint32_t{5}),                  // last name of the wrong type
        new CCeDBProp(kPropAnniversary, uint32_t{1}, uint32_t{2}),
        new CCeDBProp(kPropNote, note.data(), static_cast<uint32_t>(note.size()), true),
    });
    ASSERT_NE(oid, 0u);
    const Contact loaded = Load(oid);
    EXPECT_EQ(loaded.GetText(kFieldFirst).GetLength(), 200000);
    EXPECT_TRUE(loaded.GetText(kFieldLast).IsEmpty());
    EXPECT_EQ(loaded.GetAnniversary(), (uint64_t{2} << 32) | 1);
    EXPECT_EQ(loaded.GetNoteText(), u"plain note");
    EXPECT_EQ(loaded.LastEmbeddedState(), EmbeddedState::None);
}

// Numbers and addresses in the named-values table, where other programs look callers up.
TEST_F(NamedValuesTest, PhonesReversedInTheirOrderThenAddresses) {
    ASSERT_TRUE(SaveNamedValues(named_, Person(7)));
    const uint32_t key = 0x80000007;
    // Each text is stored with its terminating NUL.
    const std::vector<Row> expected = {
        {key, kNamedPhone, std::u16string(u"54-321\0", 7)},
        {key, kNamedPhone, std::u16string(u"555 1+\0", 7)},
        {key, kNamedPhone, std::u16string(u"9\0", 2)},
        {key, kNamedEmail, std::u16string(u"anna@example.org\0", 17)},
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(NamedValuesTest, DeletingTakesOnlyThisContactsNumbersAndAddresses) {
    ASSERT_TRUE(SaveNamedValues(named_, Person(7)));
    ASSERT_TRUE(SaveNamedValues(named_, Person(8)));
    WriteOther(0x80000007, 0x12340013);  // another kind of value of the same contact
    WriteOther(7, kNamedPhone);          // a key without the high bit is not this contact's
    ASSERT_TRUE(DeleteNamedValues(named_, Person(7)));
    for (const Row& row : Rows()) {
        EXPECT_TRUE(row.key == 0x80000008 || row.kind == 0x12340013 || row.key == 7)
            << std::hex << row.key << " " << row.kind;
    }
    EXPECT_EQ(Rows().size(), 4u + 2u);

    StdContact changed = Person(8);  // an update deletes all and writes what is there now
    changed.SetText(kFieldWorkPhone, u"");
    changed.SetText(kFieldEmail2, u"");
    ASSERT_TRUE(UpdateNamedValues(named_, changed));
    const auto rows = Rows();
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.key == 0x80000008; }), 2);
}
