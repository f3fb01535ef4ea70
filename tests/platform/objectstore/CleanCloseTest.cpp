// A mount skips reading every page only when the volume file is exactly as the last clean close
// left it: a crash that left changes in the log, any write from outside (in place, or growing the
// file) and a mark copied from another file all bring the full check back, and a page damaged
// right after a clean close is still refused.
#include <functional>

#include "Churn.h"
#include "StoreFixture.h"
#include "platform/objectstore/CleanClose.h"
#include "support/HostFiles.h"

namespace fs = std::filesystem;

namespace {

void Overwrite(const fs::path& file, std::streamoff offset, const std::string& bytes) {
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    stream.seekp(offset);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class CleanClose : public ::testing::Test {
protected:
    // Mounts the volume, writes a few records and unmounts it: the last connection closes.
    void UseAndClose(uint32_t seed) {
        plat::CeGuid volume;
        ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume)) << plat::LastErrorMessage();
        const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
        ASSERT_NE(db, plat::kInvalidDbHandle);
        std::mt19937 random(seed);
        ASSERT_TRUE(Churn(db, random, 40));
        (void)plat::CloseDatabase(db);  // clean-up
        ASSERT_TRUE(plat::UnmountDbVol(volume));
    }

    TempDevice device;
    fs::path file = device.Host(u"\\pim.vol");
};

TEST_F(CleanClose, OnlyAFileAsTheCleanCloseLeftItSkipsTheFullCheck) {
    const struct {
        const char* what;
        std::function<void()> after;
        bool unchanged;
    } cases[] = {
        {"nothing since", [] {}, true},
        {"a mount that only read",
         [&] {
             plat::CeGuid volume;
             ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume));
             ASSERT_TRUE(plat::UnmountDbVol(volume));
         },
         true},
        {"another process crashed after writing",
         [&] { ASSERT_EQ(StorePeer(device.Root(), "crash", 5, "3").Reap(), 0); }, false},
        {"a byte changed in place", [&] { Overwrite(file, 200, "x"); }, false},
        {"the file grew",
         [&] { std::ofstream(file, std::ios::app | std::ios::binary) << std::string(4096, '\0'); }, false},
        {"the mark of another file",
         [&] {
             const fs::path other = device.Root() / "other.vol";
             fs::copy_file(file, other);
             std::ofstream(plat::objstore::CleanCloseMark(other))
                 << ReadHostFile(plat::objstore::CleanCloseMark(file));
             fs::rename(other, file);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UseAndClose(11);
        ASSERT_TRUE(plat::objstore::UnchangedSinceCleanClose(file));
        c.after();
        EXPECT_EQ(plat::objstore::UnchangedSinceCleanClose(file), c.unchanged);
        // Whatever happened, the next clean close marks the file again.
        UseAndClose(12);
        EXPECT_TRUE(plat::objstore::UnchangedSinceCleanClose(file));
    }
}

TEST_F(CleanClose, PagesDamagedRightAfterACleanCloseAreRefused) {
    UseAndClose(5);
    const std::string before = ReadHostFile(file);
    // Every page after the first two: a mount reads the first pages (schema, volume identifier) by
    // itself, and a page that happens to be free is not read by any check.
    const auto pageSize = static_cast<std::streamoff>((uint8_t(before[16]) << 8) | uint8_t(before[17]));
    for (std::streamoff page = 2 * pageSize; page < static_cast<std::streamoff>(before.size());
         page += pageSize) {
        Overwrite(file, page + 8, std::string(64, '\x5A'));
    }
    const std::string damaged = ReadHostFile(file);
    ASSERT_NE(damaged, before);
    plat::CeGuid volume;
    EXPECT_FALSE(plat::MountDbVol(u"\\pim.vol", volume));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_CORRUPT) << plat::LastErrorMessage();
    EXPECT_EQ(ReadHostFile(file), damaged);
}

// Pages damaged under a mark that still matches (the disk changed them, no write did): the mount
// trusts the mark, but the first read that meets the damage fails naming a page, every later call
// on the volume fails too, and the mark says damaged (byte for byte) through any clean close until
// a mount has read every page and found them whole.
TEST_F(CleanClose, DamageMetInUseIsNamedAndChecksEveryPageAtTheNextMount) {
    const std::string mark = plat::objstore::CleanCloseMark(file).string();
    {
        plat::CeGuid volume;
        ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume));
        const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
        for (uint32_t i = 0; i < 60; ++i) {
            ASSERT_NE(plat::WriteRecordProps(
                          db, 0, std::vector{TextProp(0x8A, std::u16string(1500, u'a' + i % 26))}),
                      0u);
        }
        EXPECT_TRUE(plat::CloseDatabase(db));
        ASSERT_TRUE(plat::UnmountDbVol(volume));
    }
    const std::string whole = ReadHostFile(file);
    const auto pageSize = static_cast<std::streamoff>((uint8_t(whole[16]) << 8) | uint8_t(whole[17]));
    const auto pages = static_cast<std::streamoff>(whole.size()) / pageSize;
    for (std::streamoff page = pages / 3; page < 2 * pages / 3; ++page) {
        Overwrite(file, page * pageSize, std::string(static_cast<size_t>(pageSize), '\0'));
    }
    plat::objstore::MarkCleanClose(file);
    ASSERT_TRUE(plat::objstore::UnchangedSinceCleanClose(file));

    const uint64_t seenBefore = plat::VolumeDamageSeen().count;
    plat::CeGuid volume;
    ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume)) << plat::LastErrorMessage();
    const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
    ASSERT_NE(db, plat::kInvalidDbHandle);
    bool failed = false;
    for (plat::CeOid oid = plat::SeekDatabase(db, plat::SeekType::Beginning, 0); oid != 0 && !failed;
         oid = plat::SeekDatabase(db, plat::SeekType::Current, 1)) {
        std::vector<plat::PropVal> props;
        failed = plat::ReadRecordProps(db, {}, props) == 0;
    }
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_CORRUPT) << plat::LastErrorMessage();
    EXPECT_NE(plat::LastErrorMessage().find("age "), std::string::npos) << plat::LastErrorMessage();
    EXPECT_EQ(plat::VolumeDamageSeen().count, seenBefore + 1);
    EXPECT_EQ(plat::SeekDatabase(db, plat::SeekType::Beginning, 0), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_CORRUPT);
    EXPECT_EQ(ReadHostFile(mark), "damaged 1\n");
    EXPECT_TRUE(plat::CloseDatabase(db));
    ASSERT_TRUE(plat::UnmountDbVol(volume));
    EXPECT_EQ(ReadHostFile(mark), "damaged 1\n");

    EXPECT_FALSE(plat::MountDbVol(u"\\pim.vol", volume));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_CORRUPT);
    EXPECT_EQ(ReadHostFile(mark), "damaged 1\n");

    WriteHostText(file, whole);  // the pages mended in place
    ASSERT_TRUE(plat::MountDbVol(u"\\pim.vol", volume)) << plat::LastErrorMessage();
    ASSERT_TRUE(plat::UnmountDbVol(volume));
    EXPECT_TRUE(plat::objstore::UnchangedSinceCleanClose(file));
}

}  // namespace
