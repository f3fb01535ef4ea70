// A real merge (brevane-cli merge in a process of its own) killed at random moments while it
// writes: afterwards the device holds either every contact as it was, with nothing in the trash,
// or the merged contact alone, holding every number, with the others in the trash; never a part
// of both. BREVANE_MERGE_KILLS sets how many kills (3 by default).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "InProcessTool.h"
#include "support/ChildProcesses.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kContacts = 150;

size_t Lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

class MergeKill : public ::testing::Test {
protected:
    // A device holding kContacts contacts of one name, each with its own number; their OIDs.
    static std::vector<std::string> Prepare(const TempDevice& device) {
        const std::filesystem::path file = device.Root().parent_path() / "same.vcf";
        std::ofstream out(file);
        for (int i = 0; i < kContacts; ++i) {
            out << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Person;Same;;;\r\nFN:Same Person\r\nTEL;TYPE=CELL:+1 555 "
                << 1000000 + i << "\r\nEND:VCARD\r\n";
        }
        out.close();
        EXPECT_EQ(RunTool({"import", file.string()}, &device).status, cli::kDone);
        std::vector<std::string> oids;
        std::istringstream list(RunTool({"list"}, &device).out);
        for (std::string line; std::getline(list, line);) oids.push_back(line.substr(0, line.find('\t')));
        EXPECT_EQ(oids.size(), static_cast<size_t>(kContacts));
        return oids;
    }

    static pid_t StartMerge(const TempDevice& device, const std::vector<std::string>& oids) {
        std::vector<std::string> args = {BREVANE_CLI, "--root", device.Root().string(), "merge"};
        args.insert(args.end(), oids.begin(), oids.end());
        return SpawnProgram(args);
    }

    static uintmax_t LogSize(const std::filesystem::path& root) {
        std::error_code ec;
        const uintmax_t size = std::filesystem::file_size(root / "pim.vol-wal", ec);
        return ec ? 0 : size;
    }

    static void AwaitFirstWrite(const std::filesystem::path& root, pid_t pid) {
        const uintmax_t before = LogSize(root);
        while (LogSize(root) == before && waitpid(pid, nullptr, WNOHANG | WNOWAIT) == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    // Every contact as it was, or the merged one alone; the trash agrees. True when merged.
    static bool CheckAllOrNothing(const TempDevice& device, const std::string& first) {
        const size_t listed = Lines(RunTool({"list"}, &device).out);
        const size_t trashed = Lines(RunTool({"trash", "list"}, &device).out);
        const size_t numbers = Lines(RunTool({"show", first}, &device).out) - 1;
        if (listed == 1) {
            EXPECT_EQ(trashed, static_cast<size_t>(kContacts - 1));
            EXPECT_EQ(numbers, static_cast<size_t>(kContacts));
            return true;
        }
        EXPECT_EQ(listed, static_cast<size_t>(kContacts));
        EXPECT_EQ(trashed, 0u);
        EXPECT_EQ(numbers, 1u);
        return false;
    }
};

TEST_F(MergeKill, LeavesTheContactsAsTheyWereOrMergedWhole) {
    TempDevice device;
    const std::vector<std::string> oids = Prepare(device);
    const pid_t whole = StartMerge(device, oids);
    ASSERT_NE(whole, 0);
    AwaitFirstWrite(device.Root(), whole);
    const auto start = Clock::now();
    ASSERT_EQ(WaitExit(whole), cli::kDone);
    const auto length = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    EXPECT_TRUE(CheckAllOrNothing(device, oids[0]));

    const char* asked = std::getenv("BREVANE_MERGE_KILLS");
    const int kills = asked != nullptr ? std::atoi(asked) : 3;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < kills; ++round) {
        TempDevice fresh;
        const std::vector<std::string> again = Prepare(fresh);
        const auto delay = std::chrono::microseconds(random() % (length.count() + 1));
        SCOPED_TRACE("killed " + std::to_string(delay.count()) + " µs after its first write, of " +
                     std::to_string(length.count()));
        const pid_t pid = StartMerge(fresh, again);
        ASSERT_NE(pid, 0);
        AwaitFirstWrite(fresh.Root(), pid);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
        WaitExit(pid);
        RecordProperty("merged_after_kill_" + std::to_string(round), CheckAllOrNothing(fresh, again[0]));
    }
}

}  // namespace
