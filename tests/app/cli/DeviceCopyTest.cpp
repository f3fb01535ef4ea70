// Devices as people back them up and restore them: a volume swapped between two copies of one
// device, a whole device folder or its volume alone copied back (by new files or over the old ones,
// with or without the clean-close mark), and journal rows removed at the end or in the middle.
// Whatever was copied, the first commands answer exactly as on an index rebuilt from the store.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ToolRuns.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

// The OID `add` prints.
std::string Add(const fs::path& root, const std::string& first) {
    const ToolRun added = Tool(root, {"add", "first=" + first, "last=Copyman"});
    EXPECT_EQ(added.status, 0) << first;
    return added.out.substr(0, added.out.find('\n'));
}

// The OID of the list's row `row`.
std::string ListedOid(const fs::path& root, size_t row) {
    const std::string list = Tool(root, {"list"}).out;
    size_t at = 0;
    for (size_t i = 0; i < row; ++i) at = list.find('\n', at) + 1;
    return list.substr(at, list.find('\t', at) - at);
}

// The commands the first one of which brings the index up; `index rebuild` then builds it again
// from the store alone, and the same commands must answer the same.
void ExpectAnswersOfARebuiltIndex(const fs::path& root, const char* what) {
    const std::vector<std::vector<std::string>> commands = {{"list"},
                                                            {"search", "copyman"},
                                                            {"list", "--order", "company"},
                                                            {"list", "--no-category"},
                                                            {"export"}};
    std::vector<ToolRun> first;
    for (const auto& command : commands) first.push_back(Tool(root, command));
    ASSERT_EQ(Tool(root, {"index", "rebuild"}).status, 0) << what;
    for (size_t i = 0; i < commands.size(); ++i) {
        const ToolRun rebuilt = Tool(root, commands[i]);
        EXPECT_EQ(first[i].status, 0) << what << ": " << commands[i][0];
        EXPECT_EQ(first[i].out, rebuilt.out) << what << ": " << commands[i][0] << " " << commands[i].back();
    }
}

// Copies files of one folder over another's: in place (the files keep their inodes, as `cp` does
// onto an existing file) or as new files.
void CopyOver(const fs::path& from, const fs::path& to, const std::vector<std::string>& names, bool inPlace) {
    for (const std::string& name : names) {
        if (!inPlace) fs::remove(to / name);
        if (fs::exists(from / name))
            fs::copy_file(from / name, to / name, fs::copy_options::overwrite_existing);
    }
}

void CopyDevice(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::directory_iterator(to)) fs::remove_all(entry.path());
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

std::vector<std::string> Names(const fs::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    return names;
}

const std::vector<std::string> kVolume = {"pim.vol"};
const std::vector<std::string> kVolumeAndMark = {"pim.vol", "pim.vol-clean"};

}  // namespace

TEST(DeviceCopy, ASwappedOrRestoredVolumeEndsInARightIndex) {
    TempDevice one(TempDevice::Options{.phone = false});
    TempDevice two(TempDevice::Options{.phone = false});
    TempDevice backup(TempDevice::Options{.phone = false});
    const fs::path c1 = one.Root(), c2 = two.Root(), saved = backup.Root();
    ASSERT_EQ(Tool(c1, {"init", "--demo"}).status, 0);
    CopyDevice(c1, c2);
    CopyDevice(c1, saved);
    // The two copies go their own ways with as many changes each, so their journals stand at the
    // same number.
    Add(c1, "Alpha");
    Add(c2, "Beta");
    ASSERT_EQ(Tool(c1, {"delete", ListedOid(c1, 3)}).status, 0);
    ASSERT_EQ(Tool(c2, {"delete", ListedOid(c2, 7)}).status, 0);

    CopyOver(c1, c2, kVolumeAndMark, true);
    ExpectAnswersOfARebuiltIndex(c2, "c1's volume and mark over c2's");
    CopyOver(c2, c1, kVolume, false);
    ExpectAnswersOfARebuiltIndex(c1, "c2's volume as a new file in c1");

    const struct {
        const char* what;
        std::vector<std::string> names;  // empty: the whole folder
        bool inPlace;
    } restores[] = {
        {"the whole folder, new files", {}, false},
        {"the whole folder, over the files", Names(saved), true},
        {"the volume alone, over it", kVolume, true},
        {"the volume and its mark, over them", kVolumeAndMark, true},
        {"the volume and its mark, new files", kVolumeAndMark, false},
    };
    for (const auto& r : restores) {
        Add(c1, "Gamma");
        ASSERT_EQ(Tool(c1, {"delete", ListedOid(c1, 5)}).status, 0);
        if (r.names.empty()) {
            CopyDevice(saved, c1);
        } else {
            CopyOver(saved, c1, r.names, r.inPlace);
        }
        ExpectAnswersOfARebuiltIndex(c1, r.what);
    }
}

// One-shot commands leave the index files behind the journal, to be caught up at the next open;
// journal rows removed after their position (all rows of the last contact added, or of one in the
// middle) must not let the catch-up miss the contacts they named.
TEST(DeviceCopy, JournalRowsRemovedAfterTheIndexPositionAreNoticed) {
    TempDevice device(TempDevice::Options{.phone = false});
    const fs::path root = device.Root();
    ASSERT_EQ(Tool(root, {"init", "--demo"}).status, 0);
    for (const int removed : {2, 0}) {
        std::vector<std::string> added;
        for (const char* first : {"Delta", "Epsilon", "Zeta"}) added.push_back(Add(root, first));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((root / "pim.vol").c_str(), &db), SQLITE_OK);
        const std::string remove =
            "DELETE FROM journal WHERE oid = " + std::to_string(std::stoul(added[removed], nullptr, 16));
        EXPECT_EQ(sqlite3_exec(db, remove.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        EXPECT_GT(sqlite3_changes(db), 0);
        sqlite3_close(db);
        ExpectAnswersOfARebuiltIndex(root, removed == 2 ? "the last rows" : "rows in the middle");
    }
}
