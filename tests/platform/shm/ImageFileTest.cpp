#include "platform/shm/ImageFile.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <string>

#include "support/ChildProcesses.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

TEST(FileReplacement, TargetIsEitherOldOrNewNeverTorn) {
    TempDevice device;
    const fs::path target = device.Root() / "image.dat";
    WriteText(target, "old content");

    {
        plat::FileReplacement abandoned(target);
        ASSERT_TRUE(abandoned.Begin());
        ASSERT_TRUE(abandoned.Write(Bytes("new")));
    }
    EXPECT_EQ(ReadHostFile(target), "old content");
    EXPECT_FALSE(fs::exists(plat::FileReplacement(target).TemporaryPath()));

    // A writer killed half-way leaves its temporary file behind and the target untouched.
    const auto codes = RunInChildren(1, [&](int) {
        plat::FileReplacement dying(target);
        if (!dying.Begin() || !dying.Write(Bytes("half of a much longer new content"))) return 1;
        ::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(codes, (std::vector<int>{-1}));
    EXPECT_EQ(ReadHostFile(target), "old content");

    plat::FileReplacement replacement(target);
    ASSERT_TRUE(fs::exists(replacement.TemporaryPath()));
    ASSERT_TRUE(replacement.Begin());
    ASSERT_TRUE(replacement.Write(Bytes("new")));
    ASSERT_TRUE(replacement.Write(Bytes(" one")));
    ASSERT_TRUE(replacement.Commit());
    EXPECT_EQ(ReadHostFile(target), "new one") << "the leftover's longer bytes are gone";
    EXPECT_FALSE(fs::exists(replacement.TemporaryPath()));
}
