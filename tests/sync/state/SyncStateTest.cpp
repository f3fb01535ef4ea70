// The sync state file: its exact layout, values that hold separators, and damage refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sync/state/SyncState.h"

namespace carddav {
namespace {

class SyncStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("brevane-syncstate-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::filesystem::path dir_;
};

TEST_F(SyncStateTest, WritesTheDocumentedLayoutAndReadsItBack) {
    SyncState state;
    state.token = "http://t/1\tx";
    state.journal = 42;
    state.byUrl["http://h/b/a.vcf"] = {
        0x1a2b, "http://h/b/a.vcf", "\"e1\"", "u-1", "BEGIN:VCARD\r\nEND:VCARD\r\n", "00ff00ff00ff00ff"};
    state.conflicts.push_back({"u-1", "Anna", "ORG", "Here\nCo", "100%", "2026-12-08T00:00:00Z"});
    const std::filesystem::path file = dir_ / "a.state";
    state.Save(file);
    EXPECT_EQ(
        Read(file),
        "BREVANE-CARDDAV-STATE 1\n"
        "token\thttp://t/1%09x\n"
        "journal\t42\n"
        "card\t1a2b\thttp://h/b/a.vcf\t\"e1\"\tu-1\tQkVHSU46VkNBUkQNCkVORDpWQ0FSRA0K\t00ff00ff00ff00ff\n"
        "conflict\tu-1\tAnna\tORG\tHere%0ACo\t100%25\t2026-12-08T00:00:00Z\n"
        "end\n");
    SyncState back = SyncState::Load(file);
    EXPECT_EQ(back.token, state.token);
    EXPECT_EQ(back.journal, 42);
    ASSERT_NE(back.ByOid(0x1a2b), nullptr);
    EXPECT_EQ(back.ByUid("u-1")->base, "BEGIN:VCARD\r\nEND:VCARD\r\n");
    EXPECT_EQ(back.ByUid("u-1")->local, "00ff00ff00ff00ff");
    ASSERT_EQ(back.conflicts.size(), 1u);
    EXPECT_EQ(back.conflicts[0].localValue, "Here\nCo");
    EXPECT_EQ(back.conflicts[0].serverValue, "100%");
}

TEST_F(SyncStateTest, AMissingFileIsEmptyAndADamagedOneIsRefused) {
    EXPECT_TRUE(SyncState::Load(dir_ / "none.state").byUrl.empty());
    EXPECT_EQ(SyncState::Load(dir_ / "none.state").journal, -1);
    const std::string good = "BREVANE-CARDDAV-STATE 1\ntoken\t\njournal\t3\n";
    for (const std::string& damaged : {std::string("not a state\n"), good, good + "card\tzz\n" + "end\n",
                                       good + "card\t1\tu\te\tu\t!!!\t\nend\n", good + "journal\tx\nend\n"}) {
        const std::filesystem::path file = dir_ / "damaged.state";
        std::ofstream(file, std::ios::binary) << damaged;
        EXPECT_THROW(SyncState::Load(file), std::runtime_error) << damaged;
    }
}

}  // namespace
}  // namespace carddav
