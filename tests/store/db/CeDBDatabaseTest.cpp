// The database classes over the object store: write selection and modes, reads with the
// not-found flag and auto-advance, opening and closing, information and the volume time. Scanning
// is exercised by the company list, in the company order and through the open contacts database.
#include <vector>

#include "DbFixture.h"
#include "store/db/DbNames.h"

namespace {

class Database : public DbFixture {
protected:
    void SetUp() override {
        DbFixture::SetUp();
        ASSERT_TRUE(db.Open(kContactsDbName)) << plat::LastErrorMessage();
    }
    CCeDBDatabase db;
};

TEST_F(Database, WriteSelectsByNumberAndChecksWhatIsLeft) {
    const plat::CeOid oid = AddContact(db, {{0x82, u"Anna"}, {0x84, u"Smith"}, {0x8A, u"Acme"}, {0x8C, u"Boss"}});
    CCeDBRecord empty;
    CCeDBRecord two;
    two.Add(new CCeDBProp(0x82, u"x", true));
    two.Add(new CCeDBProp(0x8A, u"y", true));
    const uint32_t other[] = {0x00900000};
    struct Case {
        const char* what;
        const CCeDBRecord& record;
        const uint32_t* ids;
        int count;
    };
    for (const Case& c : {Case{"no properties", empty, nullptr, 0}, Case{"none of the numbers", two, other, 1}}) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(db.Write(c.record, CCeDBDatabase::kWriteNew, c.ids, c.count), 0u);
        EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_DATA);
        EXPECT_EQ(RecordCount(db), 1u);
    }

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

    db.autoAdvance = false;
    ASSERT_TRUE(db.SeekLast(1));
    EXPECT_EQ(db.CurrentRecordId(), first);
    EXPECT_FALSE(db.atEnd);
    EXPECT_FALSE(db.SeekLast(2));
    EXPECT_EQ(db.Read(record), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(record.GetCount(), 0);
}

TEST_F(Database, OpenCloseInfoAndVolumeTime) {
    CCeDBDatabase missing;
    EXPECT_FALSE(missing.Open(u"CategoryMainDB"));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    plat::DatabaseInfo info;
    info.recordCount = 5;
    EXPECT_FALSE(missing.GetInfo(info) || info.recordCount != 0);  // no stale count from the caller

    const plat::SortProp undeclared{0x0084001F, 0};
    CCeDBDatabase sorted;
    EXPECT_FALSE(sorted.Open(kContactsDbName, &undeclared, 1));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);

    const uint64_t before = CCeDBDatabase::GetVolumeTime();
    AddContact(db, {{0x82, u"Anna"}});
    EXPECT_GE(CCeDBDatabase::GetVolumeTime(), before);
    EXPECT_GT(before, 0x01D0000000000000u);  // after 2014, as a file time
    EXPECT_EQ(RecordCount(db), 1u);
    db.Close();
    std::filesystem::remove(device.Host(u"\\pim.vol"));
    EXPECT_GT(CCeDBDatabase::GetVolumeTime(), 0u);  // the file is gone: the current time
}

}  // namespace
