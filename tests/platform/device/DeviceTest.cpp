#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/device/Device.h"
#include "support/ScopedEnv.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;
using plat::Device;

namespace {

class DevicePaths : public testing::Test {
protected:
    TempDevice device;
    fs::path root = device.Root();
    fs::path outside = root.parent_path() / "outside";

    void SetUp() override {
        fs::create_directories(outside);
        fs::create_directories(root / "My Documents" / "\xc3\x84pfel");  // "Äpfel"
        fs::create_directories(root / "Both" / "Abc");
        fs::create_directories(root / "Both" / "abc");
        fs::create_symlink(outside, root / "escape");
        fs::create_symlink("../../outside/none", root / "Windows" / "dangling");
        fs::create_symlink(root / "Windows", root / "inside");
        fs::create_symlink("loop", root / "loop");
    }
};

}  // namespace

// Components match ignoring case and new ones are taken as written; paths leaving the root are
// refused. A program or library may be a link out of the device (the stand-ins are); the folders
// on its way may not, and a loop is no file.
TEST_F(DevicePaths, ComponentsMatchIgnoringCaseAndOnlyProgramsMayLinkOut) {
    using Path = std::optional<fs::path>;
    const struct {
        std::u16string devicePath;
        Path host, program;
    } cases[] = {
        {u"\\WINDOWS\\SMS.DLL", root / "Windows" / "sms.dll", root / "Windows" / "sms.dll"},
        {u"\\windows\\New Folder\\Neu.TXT", root / "Windows" / "New Folder" / "Neu.TXT",
         root / "Windows" / "New Folder" / "Neu.TXT"},
        {u"/windows/./registry.db", root / "Windows" / "registry.db", root / "Windows" / "registry.db"},
        {u"\\\\my documents\\\\\u00e4PFEL\\x", root / "My Documents" / "\xc3\x84pfel" / "x",
         root / "My Documents" / "\xc3\x84pfel" / "x"},
        {u"\\My Documents\\..\\windows", root / "Windows", root / "Windows"},
        {u"\\Both\\abc", root / "Both" / "abc", root / "Both" / "abc"},  // the exact spelling wins
        {u"\\Both\\ABC", root / "Both" / "Abc", root / "Both" / "Abc"},  // else the first in byte order
        {u"\\inside\\sms.dll", root / "inside" / "sms.dll", root / "inside" / "sms.dll"},
        {u"\\escape", std::nullopt, root / "escape"},
        {u"\\WINDOWS\\DANGLING", std::nullopt, root / "Windows" / "dangling"},
        {u"\\escape\\x", std::nullopt, std::nullopt},
        {u"\\loop", std::nullopt, std::nullopt},
        {u"\\loop\\x", std::nullopt, std::nullopt},
        {u"\\Windows\\..\\..\\outside\\x", std::nullopt, std::nullopt},
        {u"\\..", std::nullopt, std::nullopt},
        {std::u16string(u"\\Windows\\a\0b", 12), std::nullopt, std::nullopt},
        {u"", root, root},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.devicePath.begin(), c.devicePath.end()));
        EXPECT_EQ(device.Device().HostPath(c.devicePath), c.host);
        EXPECT_EQ(device.Device().ProgramHostPath(c.devicePath), c.program);
    }
}

TEST(DeviceNamespace, IsPrivatePerRootAndTheSameForEveryPathToOneRoot) {
    TempDevice device;
    const fs::path runtime = device.Root().parent_path() / "run";
    fs::create_directories(runtime);
    ScopedEnv env("XDG_RUNTIME_DIR", runtime.string());
    const fs::path userDir = runtime / ("brevane-" + std::to_string(getuid()));
    fs::create_directories(userDir);
    chmod(userDir.c_str(), 0755);  // made private again on first use

    const Device one(device.Root());
    const fs::path ns = one.NamespaceDir();
    EXPECT_EQ(ns.parent_path(), userDir);
    struct stat info {};
    for (const fs::path& folder : {userDir, ns}) {
        ASSERT_EQ(stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
    fs::create_symlink(device.Root(), device.Root().parent_path() / "alias");
    EXPECT_EQ(Device(device.Root().parent_path() / "alias").NamespaceDir(), ns);
    EXPECT_NE(Device(device.Host(u"\\Windows")).NamespaceDir(), ns);
    EXPECT_EQ(one.NamespacePath(u"Local\\PimSyncMap"), ns / "Local%5CPimSyncMap");

    fs::remove_all(userDir);
    fs::create_directories(runtime / "elsewhere");
    fs::create_symlink(runtime / "elsewhere", userDir);  // a link planted in its place is refused
    EXPECT_THROW(Device(device.Root()).NamespaceDir(), std::runtime_error);
}

// Names too long for a file name keep a readable start and stay distinct.
TEST(DeviceNamespace, SafeNamesAreFileNamesAndDistinct) {
    EXPECT_EQ(Device::SafeName(u".."), "%2E.");
    EXPECT_EQ(Device::SafeName(u"a/b c%\u0416"), "a%2Fb%20c%25%D0%96");
    const std::u16string longA(300, u'\u0416'), longB = longA + u"x";
    for (const auto& name : {longA, longB}) {
        const std::string safe = Device::SafeName(name);
        EXPECT_LE(safe.size(), 200u);
        EXPECT_NE(safe[safe.size() - 17], '%');
    }
    EXPECT_NE(Device::SafeName(longA), Device::SafeName(longB));
}

// The command line and BREVANE_ROOT are checked by the end-to-end script; without them the data
// folder of the desktop session is used.
TEST(DeviceRoot, WithoutACommandLineOrRootTheDataFolderIsUsed) {
    ScopedEnv home("HOME", "/home/anna");
    const struct {
        std::optional<std::string> brevaneRoot, dataHome;
        fs::path expected;
    } cases[] = {
        {"", "/data", "/data/brevane/device"},
        {std::nullopt, "relative", "/home/anna/.local/share/brevane/device"},
        {std::nullopt, std::nullopt, "/home/anna/.local/share/brevane/device"},
    };
    for (const auto& c : cases) {
        ScopedEnv root("BREVANE_ROOT", c.brevaneRoot);
        ScopedEnv data("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(plat::ChooseRoot(std::nullopt), c.expected);
    }
}
