#include "platform/programs/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/objectstore/StoreErrors.h"
#include "platform/programs/Desktop.h"
#include "platform/registry/Registry.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/text/Utf.h"
#include "support/ScopedEnv.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

// Waits up to ten seconds for a file to appear and gives its bytes (empty when it never does).
std::string AwaitFile(const fs::path& file) {
    for (int i = 0; i < 1000 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadHostFile(file);
}

std::string Record(std::initializer_list<std::string> args) {
    std::string record = std::to_string(args.size());
    record.push_back('\0');
    for (const std::string& arg : args) record.append(arg).push_back('\0');
    return record;
}

class StartProgram : public testing::Test {
protected:
    StartProgram() {
        fs::copy_file(fs::path(BREVANE_PEER_DIR) / "argv_peer", device.Host(u"\\Windows\\argv.exe"));
        fs::create_directories(device.Host(u"\\Program Files\\Other"));
        fs::copy_file(fs::path(BREVANE_PEER_DIR) / "argv_peer", device.Host(u"\\Program Files\\Other\\Tool.exe"));
    }
    TempDevice device;
    fs::path out = device.Root() / "argv.out";
};

}  // namespace

TEST_F(StartProgram, CommandLineArrivesByteForByteWithoutAShellAndFullPathsAreTaken) {
    const std::string lines[] = {
        "",
        "-service \"a b\" ; rm -rf / && echo $(id) `id` | cat > x",
        "line one\nline two\r\n\ttab 'single' \\\\back\\slash * ? ~",
    };
    for (const std::string& line : lines) {
        fs::remove(out);
        ASSERT_TRUE(plat::StartProgram(u"ARGV.EXE", plat::FromUtf8(line))) << plat::LastErrorMessage();
        EXPECT_EQ(AwaitFile(out), Record({device.Host(u"\\Windows\\argv.exe").string(), line})) << line;
    }
    EXPECT_FALSE(fs::exists(device.Root() / "x"));
    fs::remove(out);
    ASSERT_TRUE(plat::StartProgram(u"\\program files\\other\\tool.exe", u"-x"));  // a full device path
    EXPECT_EQ(AwaitFile(out), Record({device.Host(u"\\Program Files\\Other\\Tool.exe").string(), "-x"}));
}

TEST_F(StartProgram, MissingOrUnstartableProgramGivesFalse) {
    const struct {
        std::u16string_view program;
        std::u16string_view commandLine;
        uint32_t error;
    } cases[] = {
        {u"nothing.exe", u"", plat::ERROR_FILE_NOT_FOUND},
        {u"sms.dll", u"", plat::ERROR_GEN_FAILURE},                // an empty file, not executable
        {u"\\..\\..\\bin\\sh", u"-c id", plat::ERROR_FILE_NOT_FOUND},  // leaves the device
        {u"argv.exe", std::u16string_view(u"a\0b", 3), plat::ERROR_INVALID_PARAMETER},
    };
    fs::permissions(device.Host(u"\\Windows\\sms.dll"), fs::perms::owner_exec, fs::perm_options::add);
    for (const auto& c : cases) {
        EXPECT_FALSE(plat::StartProgram(c.program, c.commandLine)) << plat::ToUtf8(c.program);
        EXPECT_EQ(plat::GetLastError(), c.error) << plat::ToUtf8(c.program);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(StartProgram, OpenDocumentNeedsAnExistingFileAndLogsTheVerb) {
    std::ofstream(device.Host(u"\\My Documents\\note.txt")) << "x";
    EXPECT_TRUE(plat::OpenDocument(u"\\my documents\\NOTE.txt"));
    EXPECT_FALSE(plat::OpenDocument(u"\\My Documents\\missing.txt"));
    const std::string log = ReadHostFile(device.Host(u"\\Windows\\programs.log"));
    EXPECT_NE(log.find("\tcoredll.dll\tShellExecuteEx\topen\t\\my documents\\NOTE.txt\n"), std::string::npos) << log;
}

// A desktop whose xdg-open is the recording program: what the device hands over arrives as one
// argument.
TEST_F(StartProgram, DesktopDeviceHandsDocumentsAndMessagesToXdgOpen) {
    const fs::path bin = device.Root() / "host-bin";
    fs::create_directories(bin);
    fs::copy_file(fs::path(BREVANE_PEER_DIR) / "argv_peer", bin / "xdg-open");
    ScopedEnv path("PATH", bin.string());
    ScopedEnv root("BREVANE_ROOT", device.Root().string());
    std::ofstream(device.Host(u"\\My Documents\\a b;$(x).txt")) << "x";

    EXPECT_TRUE(plat::OpenDocument(u"\\My Documents\\a b;$(x).txt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(fs::exists(out));  // the device does not use the desktop yet

    ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, plat::kPlatformKey, plat::kUseDesktopValue,
                                                plat::RegValue::Dword(1)));
    EXPECT_TRUE(plat::OpenDocument(u"\\My Documents\\a b;$(x).txt"));
    EXPECT_EQ(AwaitFile(out), Record({(bin / "xdg-open").string(), device.Host(u"\\My Documents\\a b;$(x).txt").string()}));
    fs::remove(out);
    ASSERT_TRUE(plat::StartProgram(u"tmail.exe", u"-service \"SMS\" -To \"Ann; B<+1 555>\"")) << plat::LastErrorMessage();
    EXPECT_EQ(AwaitFile(out), Record({(bin / "xdg-open").string(), "sms:+1%20555"}));
}

TEST(DeviceLibrary, MissingOrDamagedLibraryIsNotLoaded) {
    TempDevice device;
    std::ofstream(device.Host(u"\\Windows\\junk.dll")) << "not a shared object";
    for (const std::u16string_view name : {u"nothing.dll", u"sms.dll", u"junk.dll", u"\\Windows\\StartUp"}) {
        plat::DeviceLibrary library(name);
        EXPECT_FALSE(library.IsLoaded()) << plat::ToUtf8(name);
        EXPECT_EQ(library.Find("PhoneMakeCall"), nullptr);
    }
}
