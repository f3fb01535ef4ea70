#pragma once
// A fresh device with a new \pim.vol holding the platform's databases.
#include <gtest/gtest.h>

#include "platform/objectstore/ObjectStore.h"
#include "store/db/CeDBDatabase.h"
#include "support/TempDevice.h"

class DbFixture : public ::testing::Test {
protected:
    // The device's initialisation makes the volume; a device without one gets it here.
    void SetUp() override {
        const std::filesystem::path file = device.Host(u"\\pim.vol");
        if (!std::filesystem::exists(file)) {
            ASSERT_TRUE(plat::InitVolume(file)) << plat::LastErrorMessage();
        }
    }

    // Adds a contact record holding these texts (property number, text).
    plat::CeOid AddContact(CCeDBDatabase& db, std::initializer_list<std::pair<uint16_t, const char16_t*>> texts) {
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
