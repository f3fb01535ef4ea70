// Names found without their marks, as a user meets them on the demo device: typed and on the
// keypad, also when the device's index files were written before the index held folded spellings
// (such files are rebuilt when opened).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "ToolRuns.h"
#include "index/format/Words.h"
#include "index/mapped/FileBytes.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Rewrites the index file as the version before folded spellings wrote it: the same records
// under version 6, sealed again so that only the version tells it apart.
void MakeVersion6(const fs::path& file) {
    std::vector<uint8_t> bytes = ReadBytes(file);
    ASSERT_GT(bytes.size(), 16u);
    bytes.resize(bytes.size() - 4);  // the image: the file without its checksum
    StoreWord(&bytes[4], 6);
    WriteBytes(file, SealImage(bytes));
}

}  // namespace

TEST(CliFoldedSearch, DemoNamesAreFoundWithoutTheirMarksAlsoFromAnOldIndex) {
    TempDevice device(TempDevice::Options{.phone = false});
    const fs::path root = device.Root();
    ASSERT_EQ(Tool(root, {"init", "--demo"}).status, 0);
    const ToolRun typed = Tool(root, {"search", "Müller"});
    ASSERT_EQ(typed.status, 0);
    // The Müllers, and the people of the company "Müller & Söhne GmbH".
    const std::vector<std::string> muellers = Lines(typed.out);
    EXPECT_GE(std::count_if(muellers.begin(), muellers.end(),
                            [](const std::string& line) { return line.find("\tMüller, ") != std::string::npos; }),
              2);

    for (const bool oldFiles : {false, true}) {
        SCOPED_TRACE(oldFiles ? "index files of version 6" : "index files as written");
        if (oldFiles) MakeVersion6(root / "pim_index1.dat");
        const ToolRun folded = Tool(root, {"search", "muller"});
        EXPECT_EQ(folded.status, 0);
        EXPECT_EQ(Lines(folded.out), muellers);
        const ToolRun keypad = Tool(root, {"abc", "685537"});
        EXPECT_EQ(keypad.status, 0);
        EXPECT_EQ(Lines(keypad.out), muellers);
        EXPECT_EQ(Tool(root, {"index", "check"}).status, 0);
    }
    const std::vector<uint8_t> rebuilt = ReadBytes(root / "pim_index1.dat");
    ASSERT_GT(rebuilt.size(), 8u);
    EXPECT_EQ(LoadWord(&rebuilt[4]), 7u) << "the old files were replaced";
}
