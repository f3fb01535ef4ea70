#include "StoreFixture.h"

void StoreFixture::SetUp() {
    // The device's initialisation makes the volume; a device without one gets it here.
    const std::filesystem::path file = device.Host(u"\\pim.vol");
    if (!std::filesystem::exists(file)) {
        ASSERT_TRUE(plat::InitVolume(file)) << plat::LastErrorMessage();
    }
    ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume)) << plat::LastErrorMessage();
}

void StoreFixture::TearDown() {
    for (const plat::DbHandle db : handles) plat::CloseDatabase(db);
    plat::UnmountDbVol(volume);
}

plat::DbHandle StoreFixture::Open(std::u16string_view name, const plat::SortOrderSpec* order,
                                  plat::NotifyCallback notify) {
    const plat::DbHandle db = plat::OpenDatabase(volume, name, order, std::move(notify));
    if (db != plat::kInvalidDbHandle) handles.push_back(db);
    return db;
}

plat::CeOid StoreFixture::Create(const plat::DatabaseSpec& declared) {
    const plat::CeOid oid = plat::CreateDatabase(volume, declared);
    EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
    return oid;
}

plat::CeOid StoreFixture::Add(plat::DbHandle db, const std::vector<plat::PropVal>& props) {
    const plat::CeOid oid = plat::WriteRecordProps(db, 0, props);
    EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
    return oid;
}

std::vector<plat::PropVal> StoreFixture::ReadAll(plat::DbHandle db) {
    std::vector<plat::PropVal> props;
    EXPECT_NE(plat::ReadRecordProps(db, {}, props), 0u) << plat::LastErrorMessage();
    return props;
}

std::vector<plat::CeOid> StoreFixture::Oids(plat::DbHandle db) {
    std::vector<plat::CeOid> oids;
    for (plat::CeOid oid = plat::SeekDatabase(db, plat::SeekType::Beginning, 0); oid != 0;
         oid = plat::SeekDatabase(db, plat::SeekType::Current, 1)) {
        oids.push_back(oid);
    }
    return oids;
}

plat::PropVal TextProp(uint16_t number, std::u16string text) {
    return plat::PropVal::Text(plat::MakePropId(number, plat::CEVT_LPWSTR), std::move(text));
}

plat::PropVal UintProp(uint16_t number, uint32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_UI4), value);
}

plat::PropVal IntProp(uint16_t number, int32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_I4), static_cast<uint32_t>(value));
}
