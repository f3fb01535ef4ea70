// The volume file: what a new one holds at the byte level, and that a foreign, damaged or
// truncated file is refused with a clear error and left exactly as it was.
#include <sqlite3.h>
#include <sys/stat.h>

#include <functional>

#include "StoreFixture.h"
#include "support/HostFiles.h"

namespace fs = std::filesystem;

namespace {

class VolumeFile : public ::testing::Test {
protected:
    // Each test makes its own volume: the one the device's initialisation made is removed.
    void SetUp() override {
        for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(file.string() + suffix);
    }

    TempDevice device;
    fs::path file = device.Host(u"\\pim.vol");
};

TEST_F(VolumeFile, NewVolumeHeaderAndPlatformDatabases) {
    ASSERT_TRUE(plat::InitVolume(file)) << plat::LastErrorMessage();
    const std::string bytes = ReadHostFile(file);
    ASSERT_GE(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_EQ(bytes.substr(68, 4), "PIMV");                    // application id
    EXPECT_EQ(bytes.substr(60, 4), std::string("\0\0\0\1", 4));  // layout version
    EXPECT_EQ(bytes[18], 2);  // write-ahead log
    EXPECT_FALSE(fs::exists(file.string() + ".new-" + std::to_string(getpid())));

    // Mounts of one file share the volume; one unmount leaves the other mount working.
    plat::CeGuid volume, again;
    ASSERT_TRUE(plat::MountDbVol(u"\\PIM.VOL", volume)) << plat::LastErrorMessage();
    ASSERT_TRUE(plat::MountDbVol(u"\\Pim.Vol", again));
    EXPECT_EQ(volume, again);
    EXPECT_TRUE(plat::UnmountDbVol(volume));
    for (const std::u16string name : {u"Contacts Database", u"pimnamedpropvalsindexed"}) {
        const plat::DbHandle db = plat::OpenDatabase(again, name, nullptr, {});
        EXPECT_NE(db, plat::kInvalidDbHandle) << plat::LastErrorMessage();
        EXPECT_TRUE(plat::CloseDatabase(db));
    }
    EXPECT_TRUE(plat::UnmountDbVol(again));
}

TEST_F(VolumeFile, InitNeverReplacesAFile) {
    WriteHostText(file, "ab");
    EXPECT_FALSE(plat::InitVolume(file));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_ALREADY_EXISTS);
    EXPECT_NE(plat::LastErrorMessage().find("left as it is"), std::string::npos);
    EXPECT_EQ(ReadHostFile(file), "ab");
    EXPECT_FALSE(plat::InitVolume(device.Root() / "no such folder" / "pim.vol"));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_NOT_FOUND);
}

TEST_F(VolumeFile, BadFilesAreRefusedAndLeftAsTheyAre) {
    const auto patch = [&](size_t offset, const std::string& with) {
        ASSERT_TRUE(plat::InitVolume(file));
        std::string bytes = ReadHostFile(file);
        bytes.replace(offset, with.size(), with);
        WriteHostText(file, bytes);
    };
    const struct {
        const char* what;
        std::function<void()> make;
        uint32_t error;
    } cases[] = {
        {"empty file", [&] { WriteHostText(file, ""); }, plat::ERROR_BAD_FORMAT},
        {"foreign database",
         [&] {
             sqlite3* db = nullptr;
             sqlite3_open(file.c_str(), &db);
             sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (1);", nullptr, nullptr, nullptr);
             sqlite3_close(db);
         },
         plat::ERROR_BAD_FORMAT},
        {"newer layout", [&] { patch(60, std::string("\0\0\0\x09", 4)); }, plat::ERROR_NOT_SUPPORTED},
        {"layout zero", [&] { patch(60, std::string(4, '\0')); }, plat::ERROR_FILE_CORRUPT},
        {"damaged page", [&] { patch(4096 + 8, std::string(64, '\x5A')); }, plat::ERROR_FILE_CORRUPT},
        {"missing", [] {}, plat::ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(file);
        c.make();
        const std::string before = ReadHostFile(file);
        plat::CeGuid volume;
        EXPECT_FALSE(plat::MountDbVol(u"\\pim.vol", volume));
        EXPECT_EQ(plat::GetLastError(), c.error) << plat::LastErrorMessage();
        EXPECT_NE(plat::LastErrorMessage().find("volume"), std::string::npos);
        EXPECT_TRUE(volume.IsZero());
        EXPECT_EQ(ReadHostFile(file), before);
        EXPECT_FALSE(fs::exists(file.string() + "-wal"));
    }
}

// A volume knows where it lives (its inode and real path, meta row `home`). A copy mounted where it
// was copied to, a copy written over the file in place and a moved file each get an identifier of
// their own at their first mount and keep it; a volume made before homes were kept keeps its own.
TEST_F(VolumeFile, ACopyGetsAnIdentifierOfItsOwnAtItsFirstMount) {
    const auto mount = [](std::u16string_view path) {
        plat::CeGuid volume;
        EXPECT_TRUE(plat::MountDbVol(path, volume)) << plat::LastErrorMessage();
        EXPECT_TRUE(plat::UnmountDbVol(volume));
        return volume;
    };
    const auto home = [](const fs::path& at) {
        sqlite3* db = nullptr;
        sqlite3_stmt* read = nullptr;
        std::string text;
        sqlite3_open(at.c_str(), &db);
        sqlite3_prepare_v2(db, "SELECT value FROM meta WHERE key = 'home'", -1, &read, nullptr);
        if (sqlite3_step(read) == SQLITE_ROW)
            text = reinterpret_cast<const char*>(sqlite3_column_text(read, 0));
        sqlite3_finalize(read);
        sqlite3_close(db);
        return text;
    };
    ASSERT_TRUE(plat::InitVolume(file)) << plat::LastErrorMessage();
    const plat::CeGuid first = mount(u"\\pim.vol");
    EXPECT_EQ(mount(u"\\pim.vol"), first);
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(home(file), std::to_string(status.st_ino) + " " + fs::canonical(file).string());

    fs::copy_file(file, device.Root() / "copy.vol");
    const plat::CeGuid copy = mount(u"\\copy.vol");
    EXPECT_NE(copy, first);
    EXPECT_EQ(mount(u"\\copy.vol"), copy);
    EXPECT_EQ(mount(u"\\pim.vol"), first);

    fs::copy_file(device.Root() / "copy.vol", file, fs::copy_options::overwrite_existing);  // in place
    const plat::CeGuid restored = mount(u"\\pim.vol");
    EXPECT_NE(restored, first);
    EXPECT_NE(restored, copy);

    fs::rename(file, device.Root() / "moved.vol");
    const plat::CeGuid moved = mount(u"\\moved.vol");
    EXPECT_NE(moved, restored);

    sqlite3* db = nullptr;
    sqlite3_open((device.Root() / "moved.vol").c_str(), &db);
    sqlite3_exec(db, "DELETE FROM meta WHERE key = 'home'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(mount(u"\\moved.vol"), moved);
    EXPECT_NE(home(device.Root() / "moved.vol"), "");
}

}  // namespace
