// Several brevane-cli processes on one device of the sample contacts at once, as the program, the
// tool and the caller-ID program share a device: more than the coordination has slots, writers
// (add, update) beside readers (search, list, lookup). No process
// dies from a signal, every write the tool reports as done is in the store and in the index, and
// the index opened afterwards holds exactly the stored contacts and finds each by its name.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "StoredAndIndexed.h"
#include "app/cli/DemoContacts.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

const size_t kDemoContacts = DemoContacts::Everything().size();

struct ToolRun {
    std::vector<std::string> args;
    pid_t pid = 0;
    int status = 0;
    fs::path out, err;
};

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

// Starts every run at once, then waits for all of them.
void RunTogether(std::vector<ToolRun>& runs, const fs::path& root, const fs::path& logs) {
    for (size_t i = 0; i < runs.size(); ++i) {
        ToolRun& run = runs[i];
        run.out = logs / ("out" + std::to_string(i));
        run.err = logs / ("err" + std::to_string(i));
        std::vector<std::string> args{BREVANE_CLI, "--root", root.string()};
        args.insert(args.end(), run.args.begin(), run.args.end());
        run.pid = SpawnProgram(args, run.out, run.err);
        ASSERT_NE(run.pid, 0);
    }
    for (ToolRun& run : runs) run.status = WaitExit(run.pid);
}

std::string Describe(const ToolRun& run) {
    std::string line;
    for (const std::string& arg : run.args) line += arg + " ";
    return line + "exited " + std::to_string(run.status) + ": " + ReadText(run.err);
}

}  // namespace

TEST(ConcurrentTool, EveryWriteArrivesAndNoReaderCrashes) {
    constexpr int kWriters = 10;
    TempDevice device(TempDevice::Options{.phone = false});
    const fs::path logs = device.Root().parent_path() / "runs";
    fs::create_directories(logs);
    std::vector<ToolRun> demo{{{"init", "--demo"}}};
    RunTogether(demo, device.Root(), logs);
    ASSERT_EQ(demo[0].status, 0) << Describe(demo[0]);

    // First round: adds beside searches, lists and lookups.
    std::vector<ToolRun> runs;
    for (int i = 0; i < kWriters; ++i) {
        runs.push_back(
            {{"add", "last=Writer" + std::to_string(i), "mobile=+1 555 01" + std::to_string(10 + i)}});
        const std::vector<std::string> readers[] = {{"list"}, {"search", "writer"}, {"lookup", "5550110"}};
        runs.push_back({readers[i % 3]});
    }
    RunTogether(runs, device.Root(), logs);
    std::vector<std::string> oids(kWriters);
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].status, 0) << Describe(runs[i]);
        if (i % 2 == 0) oids[i / 2] = Trimmed(ReadText(runs[i].out));
    }

    // Second round: each contact updated beside more readers.
    runs.clear();
    for (int i = 0; i < kWriters; ++i) {
        runs.push_back({{"update", oids[i], "first=Updated" + std::to_string(i)}});
        runs.push_back({{"search", "updated"}});
    }
    RunTogether(runs, device.Root(), logs);
    for (const ToolRun& run : runs) EXPECT_EQ(run.status, 0) << Describe(run);

    plat::EnsureApplication();
    ContactManager& manager = ContactManager::Instance();
    ASSERT_TRUE(manager.Init(nullptr));
    const auto [stored, indexed] = ReadStoredAndIndexed(manager);
    EXPECT_EQ(stored.size(), static_cast<size_t>(kDemoContacts + kWriters)) << "a write did not arrive";
    EXPECT_EQ(indexed, stored) << "the index differs from the store";
    for (int i = 0; i < kWriters; ++i) {
        const uint32_t oid = static_cast<uint32_t>(std::stoul(oids[i].empty() ? "0" : oids[i], nullptr, 16));
        Contact contact;
        ASSERT_TRUE(manager.ReadContact(oid, contact)) << "add " << i << " printed [" << oids[i] << "]";
        EXPECT_EQ(contact.GetText(kFieldFirst).ToUtf8(), "Updated" + std::to_string(i));
        const OidVector found = manager.Index().Search(Str::FromUtf8("updated" + std::to_string(i)).View(),
                                                       IndexOrder::Name, nullptr, SearchTree::Text);
        EXPECT_EQ(found, OidVector{oid}) << "the index does not hold the update of " << i;
    }
    ContactManager::Release();
}
