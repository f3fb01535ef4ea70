#include "DbFixture.h"

#include "platform/objectstore/ObjectStore.h"

// The device's initialisation makes the volume; a device without one gets it here.
void DbFixture::SetUp() {
    const std::filesystem::path file = device.Host(u"\\pim.vol");
    if (!std::filesystem::exists(file)) {
        ASSERT_TRUE(plat::InitVolume(file)) << plat::LastErrorMessage();
    }
}

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
