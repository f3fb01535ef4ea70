#pragma once
// A fresh device with a new volume mounted; handles opened through the fixture are closed after
// the test, so nothing outlives the device.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStore.h"
#include "platform/window/PeerProcess.h"
#include "support/TempDevice.h"

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume)) << plat::LastErrorMessage(); }
    void TearDown() override {
        for (const plat::DbHandle db : handles) (void)plat::CloseDatabase(db);  // clean-up
        (void)plat::UnmountDbVol(volume);                                       // clean-up
    }

    plat::DbHandle Open(std::u16string_view name, const plat::SortOrderDescription* order = nullptr,
                        plat::NotifyCallback notify = {}) {
        const plat::DbHandle db = plat::OpenDatabase(volume, name, order, std::move(notify));
        if (db != plat::kInvalidDbHandle) handles.push_back(db);
        return db;
    }
    plat::CeOid Create(const plat::DatabaseDescription& declared) {
        const plat::CeOid oid = plat::CreateDatabase(volume, declared);
        EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
        return oid;
    }
    // A new record holding these values; fails the test when the write fails.
    plat::CeOid Add(plat::DbHandle db, const std::vector<plat::PropVal>& props) {
        const plat::CeOid oid = plat::WriteRecordProps(db, 0, props);
        EXPECT_NE(oid, 0u) << plat::LastErrorMessage();
        return oid;
    }
    std::vector<plat::PropVal> ReadAll(plat::DbHandle db) {
        std::vector<plat::PropVal> props;
        EXPECT_NE(plat::ReadRecordProps(db, {}, props), 0u) << plat::LastErrorMessage();
        return props;
    }
    // The records met walking the handle's order forward from the first.
    std::vector<plat::CeOid> Oids(plat::DbHandle db) {
        std::vector<plat::CeOid> oids;
        for (plat::CeOid oid = plat::SeekDatabase(db, plat::SeekType::Beginning, 0); oid != 0;
             oid = plat::SeekDatabase(db, plat::SeekType::Current, 1)) {
            oids.push_back(oid);
        }
        return oids;
    }
    // Runs SQL on a connection of its own, as another process would; the first column of the first
    // row (0 when there is none, -1 when the statement fails).
    int64_t Elsewhere(const char* text) {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = nullptr;
        int64_t value = -1;
        if (sqlite3_open_v2(device.Host(u"\\pim.vol").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
                SQLITE_OK &&
            sqlite3_prepare_v2(db, text, -1, &statement, nullptr) == SQLITE_OK) {
            const int step = sqlite3_step(statement);
            value = step == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : step == SQLITE_DONE ? 0 : -1;
        }
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
        return value;
    }

    TempDevice device;
    plat::CeGuid volume;
    std::vector<plat::DbHandle> handles;
};

// Short makers for test values.
inline plat::PropVal TextProp(uint16_t number, std::u16string text) {
    return plat::PropVal::Text(plat::MakePropId(number, plat::CEVT_LPWSTR), std::move(text));
}
inline plat::PropVal UintProp(uint16_t number, uint32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_UI4), value);
}
inline plat::PropVal IntProp(uint16_t number, int32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_I4), static_cast<uint32_t>(value));
}

// The second process (objectstore_peer ROOT MODE COUNT ARG), running until reaped.
inline PeerProcess StorePeer(const std::filesystem::path& root, const std::string& mode, int64_t count,
                             const std::string& arg) {
    return PeerProcess("objectstore_peer", {root.string(), mode, std::to_string(count), arg});
}
