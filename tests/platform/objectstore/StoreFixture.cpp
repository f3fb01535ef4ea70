#include "StoreFixture.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

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

plat::CeOid StoreFixture::Create(const plat::DatabaseSpec& spec) {
    const plat::CeOid oid = plat::CreateDatabase(volume, spec);
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

plat::PropVal TextProp(uint16_t number, std::u16string text) {
    return plat::PropVal::Text(plat::MakePropId(number, plat::CEVT_LPWSTR), std::move(text));
}

plat::PropVal UintProp(uint16_t number, uint32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_UI4), value);
}

plat::PropVal IntProp(uint16_t number, int32_t value) {
    return plat::PropVal::Number(plat::MakePropId(number, plat::CEVT_I4), static_cast<uint32_t>(value));
}

pid_t StartPeer(const std::filesystem::path& root, const std::string& mode, int64_t count, const std::string& arg) {
    const std::string program = std::string(BREVANE_PEER_DIR) + "/objectstore_peer";
    const std::string countText = std::to_string(count);
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>(root.c_str()),
                               const_cast<char*>(mode.c_str()), const_cast<char*>(countText.c_str()),
                               const_cast<char*>(arg.c_str()), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0) << program;
    return pid;
}

int WaitPeer(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
