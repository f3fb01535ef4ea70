// The database classes over the object store: write selection and modes, reads with the
// not-found flag and auto-advance, opening and closing, information and the volume time. Scanning
// is exercised by the company list, in the company order and through the open contacts database.
// Property values: copied or referenced, freed when changed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/objectstore/ObjectStore.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/ContactsDb.h"
#include "store/db/DbNames.h"
#include "support/TempDevice.h"

namespace {

// A fresh device, whose \pim.vol holds the platform's databases.
class DbFixture : public ::testing::Test {
protected:
    // Adds a contact record holding these texts (property number, text).
    plat::CeOid AddContact(CCeDBDatabase& db,
                           std::initializer_list<std::pair<uint16_t, const char16_t*>> texts) {
        CCeDBRecord record;
        for (const auto& [number, text] : texts) record.Add(new CCeDBProp(number, text, true));
        const plat::CeOid oid = db.Write(record, CCeDBDatabase::kWriteNew);
        EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
        return oid;
    }

    uint32_t RecordCount(const CCeDBDatabase& db) {
        plat::DatabaseInfo info;
        EXPECT_TRUE(db.GetInfo(info));
        return info.recordCount;
    }

    TempDevice device;
};

class Database : public DbFixture {
protected:
    void SetUp() override { ASSERT_TRUE(db.Open(kContactsDbName)) << plat::LastErrorMessage(); }
    CCeDBDatabase db;
};

TEST_F(Database, WriteSelectsByNumberAndChecksWhatIsLeft) {
    const plat::CeOid oid = AddContact(db, {{0x82, u"Anna"}, {0x84, u"Smith"}, {0x8A, u"Acme"}, {0x8C, u"Boss"}});
    CCeDBRecord two;
    two.Add(new CCeDBProp(0x82, u"x", true));
    two.Add(new CCeDBProp(0x8A, u"y", true));
    // Nothing to write, for want of properties or of the asked numbers: refused, nothing added.
    EXPECT_EQ(db.Write(CCeDBRecord(), CCeDBDatabase::kWriteNew), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_DATA);
    const uint32_t other[] = {0x00900000};
    EXPECT_EQ(db.Write(two, CCeDBDatabase::kWriteNew, other, 1), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_DATA);
    EXPECT_EQ(RecordCount(db), 1u);

    // Mode 2 with two present properties removes exactly those; the values do not matter.
    ASSERT_TRUE(db.SeekToRecord(oid));
    const uint32_t both[] = {0x0082001F, 0x008A0013};
    EXPECT_EQ(db.Write(two, CCeDBDatabase::kWriteDeleteProps, both, 2), oid);
    CCeDBRecord read;
    ASSERT_EQ(db.Read(read), oid);
    std::vector<uint16_t> numbers;
    for (int i = 0; i < read.GetCount(); ++i) numbers.push_back(read.GetAt(i)->GetNumber());
    EXPECT_EQ(numbers, (std::vector<uint16_t>{0x84, 0x8C, 0x1000}));
    EXPECT_EQ(db.Write(two, CCeDBDatabase::kWriteNew + 7), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
}

TEST_F(Database, UpdatesWithoutAnIdentifierGoToTheCurrentRecordOnly) {
    const plat::CeOid first = AddContact(db, {{0x82, u"Anna"}});
    const plat::CeOid second = AddContact(db, {{0x82, u"Bert"}});
    CCeDBRecord change;
    change.Add(new CCeDBProp(0x84, u"Jones", true));
    ASSERT_TRUE(db.SeekToRecord(second));
    EXPECT_EQ(db.Write(change, CCeDBDatabase::kWriteUpdate), second);
    // With no current record an update fails rather than creating a record.
    EXPECT_FALSE(db.SeekToRecord(first + second));
    EXPECT_EQ(db.Write(change, CCeDBDatabase::kWriteUpdate), 0u);
    EXPECT_EQ(RecordCount(db), 2u);
    // A record that carries its identifier is written there wherever the cursor is.
    change.SetOid(first);
    EXPECT_EQ(db.Write(change, CCeDBDatabase::kWriteUpdate), first);
    ASSERT_TRUE(db.SeekToRecord(first));
    CCeDBRecord read;
    const uint32_t last[] = {0x0084001F};
    ASSERT_EQ(db.Read(read, last, 1), first);
    EXPECT_EQ(std::u16string_view(read.Find(0x84)->GetText()), u"Jones");
}

TEST_F(Database, ReadsFlagMissingPropertiesAndStopAtTheEnd) {
    const plat::CeOid first = AddContact(db, {{0x82, u"Anna"}});
    const plat::CeOid second = AddContact(db, {{0x82, u"Bert"}, {0x84, u"Brown"}});
    const uint32_t ids[] = {0x0084001F, 0x0082001F};
    CCeDBRecord record;
    db.autoAdvance = true;
    ASSERT_TRUE(db.SeekFirst());
    ASSERT_EQ(db.Read(record, ids, 2), first);
    ASSERT_EQ(record.GetCount(), 2);
    EXPECT_EQ(std::pair(record.GetAt(0)->IsNotFound(), record.GetAt(1)->IsNotFound()), std::pair(true, false));
    EXPECT_FALSE(db.atEnd);
    ASSERT_EQ(db.Read(record, ids, 2), second);
    EXPECT_TRUE(db.atEnd);
    EXPECT_EQ(db.Read(record, ids, 2), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_HANDLE_EOF);
    EXPECT_EQ(record.GetOid(), second);  // a read refused at once leaves the record as it was
}

// A read of one property takes only that row; it still tells a missing property, one stored with
// another type and a record that is gone apart from a found one.
TEST_F(Database, AOnePropertyReadFindsExactlyThatProperty) {
    const plat::CeOid oid = AddContact(db, {{0x82, u"Anna"}, {0x84, u"Smith"}});
    const plat::CeOid gone = AddContact(db, {{0x82, u"Bert"}});
    ASSERT_TRUE(db.DeleteRecord(gone));
    const struct {
        plat::CeOid oid;
        uint32_t propId;
        bool read;
        bool found;
    } cases[] = {
        {oid, 0x0084001F, true, true},   // present
        {oid, 0x0086001F, true, false},  // never written
        {oid, 0x00840013, true, false},  // the number is there as a text, not a number
        {gone, 0x0082001F, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.propId);
        CCeDBRecord record;
        const bool read = db.SeekToRecord(c.oid) && db.Read(record, &c.propId, 1) == c.oid;
        ASSERT_EQ(read, c.read);
        if (!read) continue;
        ASSERT_EQ(record.GetCount(), 1);
        EXPECT_EQ(!record.GetAt(0)->IsNotFound(), c.found);
        if (c.found) {
            EXPECT_EQ(std::u16string_view(record.GetAt(0)->GetText()), u"Smith");
        }
    }
}

// Identifiers taken inside a batch, also across the commits a long batch makes, are written back
// with it: a write after the batch gets a new one instead of one the batch gave (which would fail).
TEST_F(Database, IdentifiersTakenInABatchAreNeverGivenAgain) {
    std::vector<plat::CeOid> oids;
    ASSERT_TRUE(plat::BeginWriteBatch(db.VolumeId()));
    for (int level = 0; level < 2; ++level) {
        ASSERT_TRUE(plat::BeginWriteBatch(db.VolumeId()));
        for (int i = 0; i < 3; ++i) oids.push_back(AddContact(db, {{0x82, u"Batch"}}));
        if (level == 0) std::this_thread::sleep_for(std::chrono::milliseconds(250));  // its end commits
        ASSERT_TRUE(plat::EndWriteBatch(db.VolumeId()));
    }
    ASSERT_TRUE(plat::EndWriteBatch(db.VolumeId()));
    oids.push_back(AddContact(db, {{0x82, u"After"}}));
    for (size_t i = 1; i < oids.size(); ++i) EXPECT_GT(oids[i], oids[i - 1]) << i;
    EXPECT_EQ(RecordCount(db), oids.size());
}

// Inside a batch a database is stamped at its first write and again at the commit, so its time
// stamp follows the last write; a database removed inside the batch refuses the writes after it.
TEST_F(Database, ABatchStampsItsDatabasesAndRefusesOneRemovedInIt) {
    ASSERT_TRUE(plat::BeginWriteBatch(db.VolumeId()));
    AddContact(db, {{0x82, u"First"}});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    AddContact(db, {{0x82, u"Last"}});
    const uint64_t lastWrite = plat::FileTimeNow();
    ASSERT_TRUE(plat::EndWriteBatch(db.VolumeId()));
    plat::DatabaseStatus status;
    ASSERT_TRUE(db.GetStatus(status));
    EXPECT_GE(status.lastModified, lastWrite);

    ASSERT_TRUE(plat::BeginWriteBatch(db.VolumeId()));
    AddContact(db, {{0x82, u"Before"}});
    ASSERT_TRUE(plat::DeleteDatabase(db.VolumeId(), db.DatabaseId()));
    CCeDBRecord record;
    record.Add(new CCeDBProp(0x82, u"After", true));
    EXPECT_EQ(db.Write(record, CCeDBDatabase::kWriteNew), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    EXPECT_TRUE(plat::EndWriteBatch(db.VolumeId()));
}

TEST_F(Database, OpenCloseInfoAndVolumeTime) {
    CCeDBDatabase missing;
    EXPECT_FALSE(missing.Open(u"CategoryMainDB"));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    plat::DatabaseInfo info;
    info.recordCount = 5;
    EXPECT_FALSE(missing.GetInfo(info) || info.recordCount != 0);  // no stale count from the caller

    const uint64_t before = CCeDBDatabase::GetVolumeTime();
    AddContact(db, {{0x82, u"Anna"}});
    EXPECT_GE(CCeDBDatabase::GetVolumeTime(), before);
    EXPECT_GT(before, 0x01D0000000000000u);  // after 2014, as a file time
    db.Close();
    std::filesystem::remove(device.Host(u"\\pim.vol"));
    EXPECT_GT(CCeDBDatabase::GetVolumeTime(), 0u);  // the file is gone: the current time
}

TEST(Prop, CopiesOwnTheirValueAndReferencesFollowTheCaller) {
    char16_t text[] = u"Anna";
    CCeDBProp copied(0x82, text, true);
    CCeDBProp referenced(0x82, text, false);
    text[0] = u'H';
    EXPECT_EQ(std::u16string_view(copied.GetText()), u"Anna");
    EXPECT_EQ(std::u16string_view(referenced.GetText()), u"Hnna");

    uint8_t bytes[] = {1, 2, 3};
    CCeDBProp block(0xFF, bytes, 3, true, plat::CEVT_STREAM);
    bytes[0] = 9;
    EXPECT_EQ(block.ToPropVal().blob, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(block.GetId(), 0x00FF0064u);

    // Changing the kind of value frees the owned one first (the sanitizer build checks the frees).
    block.SetFileTime(0x89ABCDEF, 0x01234567);
    EXPECT_FALSE(block.OwnsValue());
    EXPECT_EQ(block.GetType(), plat::CEVT_FILETIME);
    EXPECT_EQ(block.ToPropVal().filetime, 0x0123456789ABCDEFull);
}

class Companies : public DbFixture {
protected:
    // Deletes the named database of the store; `recreate` makes it again without sort orders.
    void DropDatabase(const char16_t* name, bool recreate) {
        plat::CeGuid volume;
        ASSERT_TRUE(plat::MountDbVol(kVolumePath, volume));
        plat::CeOid oid = 0;
        (void)plat::CloseDatabase(plat::OpenDatabase(volume, name, nullptr, {}, &oid));  // clean-up
        ASSERT_TRUE(plat::DeleteDatabase(volume, oid));
        plat::DatabaseDescription declared;
        declared.name = name;
        const bool made = !recreate || plat::CreateDatabase(volume, declared) != 0;
        (void)plat::UnmountDbVol(volume);  // clean-up
        ASSERT_TRUE(made);
    }
    CContactsDb contacts;
};

// Empty and missing companies are skipped, equal ones collapsed; "acme" and "Acme" differ. Without
// the company order (a contacts database that declares none) the open database is scanned.
TEST_F(Companies, DistinctNamesInNameOrderWithOrWithoutTheCompanyOrder) {
    for (const bool declared : {true, false}) {
        SCOPED_TRACE(declared ? "company order" : "scanned");
        if (!declared) {
            contacts.Close();
            DropDatabase(kContactsDbName, true);
        }
        ASSERT_TRUE(contacts.Open({})) << plat::LastErrorMessage();
        for (const char16_t* company : {u"Zeta", u"acme", u"", u"Acme", u"Beta", u"acme", u"Zeta"}) {
            AddContact(contacts.Contacts(), {{0x8A, company}});
        }
        AddContact(contacts.Contacts(), {{0x82, u"no company"}});
        Array<Str> names;
        names.Add(Str(u"stale"));
        ASSERT_TRUE(contacts.GetCompanyNames(names));
        EXPECT_EQ(std::vector<Str>(names.begin(), names.end()),
                  (std::vector<Str>{u"acme", u"Acme", u"Beta", u"Zeta"}));
    }
}

TEST_F(Companies, OpeningNeedsBothDatabases) {
    DropDatabase(kNamedPropsDbName, false);
    EXPECT_FALSE(contacts.Open({}));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    EXPECT_FALSE(contacts.Contacts().IsOpen());
}

}  // namespace
