// Records of typed properties: values come back exactly, bad writes change nothing, auto-increment
// numbers and object identifiers are never handed out twice, and a database's information follows
// its changes. Writes that delete properties are checked through the database class.
#include <set>

#include "StoreFixture.h"

namespace {

using plat::MakePropId;
using plat::PropVal;

class Records : public StoreFixture {};

TEST_F(Records, EveryTypeComesBackExactly) {
    const plat::DbHandle db = Open(u"PIMNamedPropValsIndexed");
    const std::u16string odd{u'a', u'\xD800', u'b', u'\xDFFF'};  // lone surrogates are kept
    const std::vector<PropVal> written = {
        IntProp(1, -7),
        UintProp(2, 0xFFFFFFFF),
        TextProp(3, odd),
        PropVal::FileTime(MakePropId(4, plat::CEVT_FILETIME), 0xFEDCBA9876543210ULL),
        PropVal::Blob(MakePropId(5, plat::CEVT_BLOB), {0, 1, 2, 0}),
        PropVal::Blob(MakePropId(6, plat::CEVT_STREAM), std::vector<uint8_t>(70000, 0xAB)),
        TextProp(7, u""),
        PropVal::Blob(MakePropId(8, plat::CEVT_BLOB), {}),
    };
    const plat::CeOid oid = Add(db, written);
    ASSERT_EQ(plat::SeekDatabase(db, plat::SeekType::Oid, oid), oid);
    std::vector<PropVal> all = ReadAll(db);
    ASSERT_EQ(all.size(), written.size());
    for (size_t i = 0; i < written.size(); ++i) {
        PropVal expected = written[i];
        if (plat::PropType(expected.propId) == plat::CEVT_STREAM) expected.propId = MakePropId(6, plat::CEVT_BLOB);
        EXPECT_EQ(all[i], expected) << "property " << i + 1;
    }
    // Text ends at its first NUL, as on the handheld. An asked property the record has under the
    // same number with another type comes back flagged.
    ASSERT_NE(plat::WriteRecordProps(db, oid, std::vector{TextProp(3, std::u16string(u"ab\0cd", 5))}), 0u);
    std::vector<PropVal> asked;
    const std::vector<uint32_t> ids = {MakePropId(3, plat::CEVT_LPWSTR), MakePropId(2, plat::CEVT_LPWSTR)};
    ASSERT_EQ(plat::ReadRecordProps(db, ids, asked), oid);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], TextProp(3, u"ab"));
    EXPECT_EQ(asked[1].flags, plat::CEDB_PROPNOTFOUND);
}

TEST_F(Records, BadWritesFailAndChangeNothing) {
    const plat::DbHandle db = Open(u"Contacts Database");
    const plat::CeOid oid = Add(db, {TextProp(0x82, u"Anna")});
    const plat::CeOid other = Add(Open(u"PIMNamedPropValsIndexed"), {UintProp(1, 1)});
    struct Case {
        const char* what;
        plat::CeOid record;
        std::vector<PropVal> props;
        uint32_t error;
    };
    const std::vector<Case> cases = {
        {"unknown type", oid, {PropVal::Number(MakePropId(0x82, 77), 1)}, plat::ERROR_INVALID_PARAMETER},
        {"no such record", 0x7FFFFFF0, {TextProp(0x82, u"x")}, plat::ERROR_NOT_FOUND},
        {"record of another database", other, {TextProp(0x82, u"x")}, plat::ERROR_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(plat::WriteRecordProps(db, c.record, c.props), 0u);
        EXPECT_EQ(plat::GetLastError(), c.error);
    }
    EXPECT_FALSE(plat::DeleteRecord(db, other));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    plat::DatabaseInfo info;
    ASSERT_TRUE(plat::GetDatabaseInfo(volume, plat::CeOid{0x10001}, info)) << plat::LastErrorMessage();
    EXPECT_EQ(info.recordCount, 1u);
    ASSERT_EQ(plat::SeekDatabase(db, plat::SeekType::Oid, oid), oid);
    EXPECT_EQ(ReadAll(db)[0].text, u"Anna");
}

TEST_F(Records, IdentifiersAndAutoNumbersAreNeverHandedOutTwice) {
    plat::DatabaseDescription declared;
    declared.name = u"CategoryMainDB";
    declared.autoIncrement = {MakePropId(1, plat::CEVT_AUTO_I4)};
    Create(declared);
    const plat::DbHandle categories = Open(u"CategoryMainDB");
    const plat::DbHandle contacts = Open(u"Contacts Database");
    std::set<plat::CeOid> oids;
    std::vector<uint32_t> numbers;
    for (int i = 0; i < 3; ++i) {
        // A value given for the automatic property is ignored.
        const plat::CeOid oid = Add(categories, {TextProp(2, u"Work"), PropVal::Number(declared.autoIncrement[0], 99)});
        EXPECT_TRUE(oids.insert(oid).second);
        EXPECT_TRUE(oids.insert(Add(contacts, {TextProp(0x82, u"x")})).second);
        ASSERT_EQ(plat::SeekDatabase(categories, plat::SeekType::Oid, oid), oid);
        numbers.push_back(ReadAll(categories)[0].u32);
        EXPECT_TRUE(plat::DeleteRecord(categories, oid));
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2, 3}));  // deleted numbers are not reused
}

// What the store's users read to see whether a database changed since they last looked.
TEST_F(Records, RecordCountAndLastModifiedFollowEveryChange) {
    const plat::DbHandle db = Open(u"Contacts Database");
    plat::CeOid contacts = 0;
    // Clean-up.
    (void)plat::CloseDatabase(plat::OpenDatabase(volume, u"contacts database", nullptr, {}, &contacts));
    plat::DatabaseInfo before, added, deleted;
    ASSERT_TRUE(plat::GetDatabaseInfo(volume, contacts, before));
    const plat::CeOid oid = Add(db, {TextProp(0x82, u"Anna")});
    ASSERT_TRUE(plat::GetDatabaseInfo(volume, contacts, added));
    ASSERT_TRUE(plat::DeleteRecord(db, oid));
    ASSERT_TRUE(plat::GetDatabaseInfo(volume, contacts, deleted));
    EXPECT_EQ(std::vector({before.recordCount, added.recordCount, deleted.recordCount}), std::vector({0u, 1u, 0u}));
    EXPECT_GT(added.lastModified, before.lastModified);
    EXPECT_GT(deleted.lastModified, added.lastModified);
    EXPECT_FALSE(plat::GetDatabaseInfo(volume, oid, deleted));  // a record is not a database
}

}  // namespace
