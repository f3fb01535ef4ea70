#include "platform/device/HostFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

// What a device file's name may hold besides a regular file: each is refused at once (a FIFO never
// makes the caller wait for a writer), and nothing is written through a link. A link may be read
// through: the device's paths already refuse links that lead out of the device.
TEST(HostFiles, AnythingButARegularFileIsRefused) {
    TempDevice device;
    const fs::path victim = device.Root().parent_path() / (device.Root().filename().string() + "-victim");
    std::ofstream(victim) << "outside";
    const fs::path name = device.Root() / "Windows" / "planted";
    const struct {
        const char* what;
        std::function<void()> plant;
        bool readable;
    } planted[] = {
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0); }, false},
        {"a link to a file outside", [&] { fs::create_symlink(victim, name); }, true},
        {"a folder", [&] { fs::create_directory(name); }, false},
    };
    for (const auto& p : planted) {
        p.plant();
        ::alarm(10);  // an open that waits fails the test instead of hanging it
        const int read = plat::OpenRegularForReading(name);
        EXPECT_EQ(read >= 0, p.readable) << p.what;
        if (read >= 0) ::close(read);
        EXPECT_LT(plat::OpenRegularForUpdate(name), 0) << p.what;
        EXPECT_FALSE(plat::AppendToRegularFile(name, "line\n")) << p.what;
        ::alarm(0);
        fs::remove(name);
    }
    EXPECT_EQ(ReadHostFile(victim), "outside");
    fs::remove(victim);

    EXPECT_TRUE(plat::AppendToRegularFile(name, "one\n"));
    EXPECT_TRUE(plat::AppendToRegularFile(name, "two\n"));
    EXPECT_EQ(ReadHostFile(name), "one\ntwo\n");
    const int fd = plat::OpenRegularForReading(name);
    EXPECT_GE(fd, 0);
    ::close(fd);
}

TEST(HostFiles, DatabaseFilesAndTheirCompanionsMustNotBeLinks) {
    TempDevice device;
    const fs::path db = device.Root() / "Windows" / "some.db";
    std::ofstream(db) << "x";
    EXPECT_FALSE(plat::HasLinkedDatabaseFile(db));
    fs::create_symlink(device.Root() / "elsewhere", db.string() + "-wal");
    EXPECT_TRUE(plat::HasLinkedDatabaseFile(db));
}
