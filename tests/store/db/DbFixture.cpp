#include "DbFixture.h"

#include "platform/objectstore/ObjectStore.h"

void DbFixture::SetUp() { ASSERT_TRUE(plat::InitVolume(device.Host(u"\\pim.vol"))) << plat::LastErrorMessage(); }

plat::CeOid DbFixture::AddContact(CCeDBDatabase& db, std::initializer_list<std::pair<uint16_t, const char16_t*>> texts) {
    CCeDBRecord record;
    for (const auto& [number, text] : texts) record.Add(new CCeDBProp(number, text, true));
    const plat::CeOid oid = db.Write(record, CCeDBDatabase::kWriteNew);
    EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
    return oid;
}

uint32_t DbFixture::RecordCount(const CCeDBDatabase& db) {
    plat::DatabaseInfo info;
    EXPECT_TRUE(db.GetInfo(info));
    return info.recordCount;
}
