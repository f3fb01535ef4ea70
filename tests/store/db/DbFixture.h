#pragma once
// A fresh device with a new \pim.vol holding the platform's databases.
#include <gtest/gtest.h>

#include "store/db/CeDBDatabase.h"
#include "support/TempDevice.h"

class DbFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Adds a contact record holding these texts (property number, text).
    plat::CeOid AddContact(CCeDBDatabase& db, std::initializer_list<std::pair<uint16_t, const char16_t*>> texts);
    uint32_t RecordCount(const CCeDBDatabase& db);

    TempDevice device;
};
