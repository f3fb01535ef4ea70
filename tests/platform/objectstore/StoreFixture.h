#pragma once
// A fresh device with a new volume mounted; handles opened through the fixture are closed after
// the test, so nothing outlives the device.
#include <gtest/gtest.h>

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStore.h"
#include "support/TempDevice.h"

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    plat::DbHandle Open(std::u16string_view name, const plat::SortOrderSpec* order = nullptr,
                        plat::NotifyCallback notify = {});
    plat::CeOid Create(const plat::DatabaseSpec& spec);
    // A new record holding these values; fails the test when the write fails.
    plat::CeOid Add(plat::DbHandle db, const std::vector<plat::PropVal>& props);
    std::vector<plat::PropVal> ReadAll(plat::DbHandle db);

    TempDevice device;
    plat::CeGuid volume;
    std::vector<plat::DbHandle> handles;
};

// Short makers for test values.
plat::PropVal TextProp(uint16_t number, std::u16string text);
plat::PropVal UintProp(uint16_t number, uint32_t value);
plat::PropVal IntProp(uint16_t number, int32_t value);

// Starts the second process (objectstore_peer ROOT MODE COUNT ARG) and waits for its exit status
// (-1 when it did not exit normally).
pid_t StartPeer(const std::filesystem::path& root, const std::string& mode, int64_t count, const std::string& arg);
int WaitPeer(pid_t pid);
