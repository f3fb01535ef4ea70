#include "platform/shm/ImageFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/ChildProcesses.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The temporary files of `target` in its folder.
int Leftovers(const fs::path& target) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(target.parent_path())) {
        count += entry.path().filename().string().starts_with(target.filename().string() + ".tmp-") ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(FileReplacement, TargetIsEitherOldOrNewNeverTorn) {
    TempDevice device;
    const fs::path target = device.Root() / "image.dat";
    WriteHostText(target, "old content");

    {
        plat::FileReplacement abandoned(target);
        ASSERT_TRUE(abandoned.Begin());
        ASSERT_TRUE(abandoned.Write(Bytes("new")));
        ASSERT_TRUE(fs::exists(abandoned.TemporaryPath()));
    }
    EXPECT_EQ(ReadHostFile(target), "old content");
    EXPECT_EQ(Leftovers(target), 0);

    // A writer killed half-way leaves its temporary file behind and the target untouched; the
    // leftover is removed by a writer that knows no other one runs.
    const auto codes = RunInChildren(1, [&](int) {
        plat::FileReplacement dying(target);
        if (!dying.Begin() || !dying.Write(Bytes("half of a much longer new content"))) return 1;
        ::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(codes, (std::vector<int>{-1}));
    EXPECT_EQ(ReadHostFile(target), "old content");
    EXPECT_EQ(Leftovers(target), 1);
    plat::FileReplacement::RemoveLeftovers(target);
    EXPECT_EQ(Leftovers(target), 0);

    plat::FileReplacement replacement(target);
    ASSERT_TRUE(replacement.Begin());
    ASSERT_TRUE(replacement.Write(Bytes("new")));
    ASSERT_TRUE(replacement.Write(Bytes(" one")));
    ASSERT_TRUE(replacement.Commit());
    EXPECT_EQ(ReadHostFile(target), "new one");
    EXPECT_EQ(Leftovers(target), 0);
}

// Whatever was planted beside the target under the names a writer might use (the old fixed
// temporary name, a link to a file outside the device) is neither written through nor reused.
TEST(FileReplacement, PlantedLinksAreNeverWrittenThrough) {
    TempDevice device;
    const fs::path target = device.Root() / "image.dat";
    const fs::path victim = device.Root().parent_path() / (device.Root().filename().string() + "-victim");
    WriteHostText(victim, "not the device's");
    fs::create_symlink(victim, target.string() + ".tmp");
    for (const char* suffix : {"AAAAAA", "000000"})
        fs::create_symlink(victim, target.string() + ".tmp-" + suffix);

    plat::FileReplacement replacement(target);
    ASSERT_TRUE(replacement.Begin());
    ASSERT_TRUE(replacement.Write(Bytes("new")));
    ASSERT_TRUE(replacement.Commit());
    EXPECT_EQ(ReadHostFile(target), "new");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadHostFile(victim), "not the device's");
    fs::remove(victim);
}

TEST(InputFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
    TempDevice device;
    const fs::path fifo = device.Root() / "fifo.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10);  // a reader that waits for a writer fails the test instead of hanging it
    plat::InputFile in;
    EXPECT_FALSE(in.Open(fifo));
    EXPECT_FALSE(in.Open(device.Root()));
    ::alarm(0);
}
