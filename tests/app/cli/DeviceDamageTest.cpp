// A page of the volume zeroed behind a clean-close mark that still matches (disks damage pages
// without touching the file's times): every command answers as on the undamaged device or exits
// non-zero, and once one has met the damage, the next mount checks every page and refuses the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ToolRuns.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

int64_t Nanos(const timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }

// The clean-close mark of the file as it is now (the mark's byte layout, docs/objectstore.md).
std::string MarkOf(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0);
    return "clean 1 " + std::to_string(status.st_dev) + " " + std::to_string(status.st_ino) + " " +
           std::to_string(status.st_size) + " " + std::to_string(Nanos(status.st_mtim)) + " " +
           std::to_string(Nanos(status.st_ctim)) + "\n";
}

// Puts every file of `saved` back in place (the files keep their inodes) and removes what it lacks.
void RestoreInPlace(const fs::path& saved, const fs::path& root) {
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && !fs::exists(saved / fs::relative(entry.path(), root)))
            fs::remove(entry.path());
    }
    for (const auto& entry : fs::recursive_directory_iterator(saved)) {
        if (entry.is_symlink() || !entry.is_regular_file()) continue;
        fs::copy_file(entry.path(), root / fs::relative(entry.path(), saved),
                      fs::copy_options::overwrite_existing);
    }
}

void ZeroPage(const fs::path& file, size_t page, size_t pageSize) {
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    stream.seekp(static_cast<std::streamoff>(page * pageSize));
    const std::string zeros(pageSize, '\0');
    stream.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
}

// What the index commands print, without the files' sizes (a rebuild may lay them out otherwise).
std::string Figures(const std::string& out) { return out.substr(0, out.find("pim_index1.dat")); }

}  // namespace

TEST(DeviceDamage, APageZeroedUnderAMatchingMarkGivesTheRightAnswerOrAFailure) {
    TempDevice device(TempDevice::Options{.phone = false});
    TempDevice keep(TempDevice::Options{.phone = false});
    const fs::path root = device.Root(), saved = keep.Root(), volume = root / "pim.vol";
    ASSERT_EQ(Tool(root, {"init", "--demo"}).status, 0);
    ASSERT_EQ(Tool(root, {"list"}).status, 0);  // the index saved, the volume closed cleanly
    for (const auto& entry : fs::directory_iterator(saved)) fs::remove_all(entry.path());
    fs::copy(root, saved, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    ASSERT_EQ(ReadHostFile(volume.string() + "-clean"), MarkOf(volume));

    const std::vector<std::vector<std::string>> commands = {
        {"list"},   {"search", "an"},   {"list", "--no-category"},
        {"export"}, {"index", "check"}, {"index", "rebuild"}};
    std::vector<std::string> undamaged;
    for (const auto& command : commands) {
        RestoreInPlace(saved, root);
        const ToolRun run = Tool(root, command);
        ASSERT_EQ(run.status, 0) << command[0];
        undamaged.push_back(command[0] == "index" ? Figures(run.out) : run.out);
    }

    const std::string bytes = ReadHostFile(saved / "pim.vol");
    const size_t pageSize = (static_cast<uint8_t>(bytes[16]) << 8) | static_cast<uint8_t>(bytes[17]);
    const size_t pages = bytes.size() / pageSize;
    constexpr size_t kPagesTried = 12;
    for (size_t i = 0; i < kPagesTried; ++i) {
        const size_t page = 1 + i * (pages - 1) / kPagesTried;  // the header page (0) is checked always
        for (size_t c = 0; c < commands.size(); ++c) {
            RestoreInPlace(saved, root);
            ZeroPage(volume, page, pageSize);
            WriteHostText(volume.string() + "-clean", MarkOf(volume));
            const ToolRun run = Tool(root, commands[c]);
            const std::string out = commands[c][0] == "index" ? Figures(run.out) : run.out;
            EXPECT_TRUE(run.status != 0 || out == undamaged[c])
                << "page " << page << ": " << commands[c][0] << " " << commands[c].back()
                << " exited 0 with\n"
                << out.substr(0, 400);
            if (run.status == 0) continue;
            // A command that met the damage leaves the file to be checked whole: the next one is refused.
            const ToolRun next = Tool(root, {"list"});
            EXPECT_TRUE(next.status != 0 || next.out == undamaged[0])
                << "page " << page << ": the list after";
        }
    }
}
