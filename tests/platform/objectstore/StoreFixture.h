#pragma once
// A fresh device with a new volume mounted; handles opened through the fixture are closed after
// the test, so nothing outlives the device.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStore.h"
#include "platform/window/PeerProcess.h"
#include "support/TempDevice.h"

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    plat::DbHandle Open(std::u16string_view name, const plat::SortOrderSpec* order = nullptr,
                        plat::NotifyCallback notify = {});
    plat::CeOid Create(const plat::DatabaseSpec& declared);
    // A new record holding these values; fails the test when the write fails.
    plat::CeOid Add(plat::DbHandle db, const std::vector<plat::PropVal>& props);
    std::vector<plat::PropVal> ReadAll(plat::DbHandle db);
    // The records met walking the handle's order forward from the first.
    std::vector<plat::CeOid> Oids(plat::DbHandle db);

    TempDevice device;
    plat::CeGuid volume;
    std::vector<plat::DbHandle> handles;
};

// Short makers for test values.
plat::PropVal TextProp(uint16_t number, std::u16string text);
plat::PropVal UintProp(uint16_t number, uint32_t value);
plat::PropVal IntProp(uint16_t number, int32_t value);

// The second process (objectstore_peer ROOT MODE COUNT ARG), running until reaped.
inline PeerProcess StorePeer(const std::filesystem::path& root, const std::string& mode, int64_t count,
                             const std::string& arg) {
    return PeerProcess("objectstore_peer", {root.string(), mode, std::to_string(count), arg});
}
