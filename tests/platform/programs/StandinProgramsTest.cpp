// The stand-in programs and libraries, started and loaded on a new device as the system does. What
// they log when used is checked by the dialler's tests and the end-to-end script.
#include <gtest/gtest.h>

#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/programs/Process.h"
#include "platform/programs/Standins.h"
#include "platform/registry/Registry.h"
#include "platform/text/Utf.h"
#include "support/ProgramLog.h"

// A new device holds its stand-ins as links to the built files; each is found by its device name
// and runs (a program writes its start line to the device's log, a library loads).
TEST(StandinPrograms, EveryStandinOfANewDeviceIsFoundAndRuns) {
    TempDevice device;
    ASSERT_TRUE(plat::FindStandinFolder().has_value()) << "build the target brevane-standins";
    for (const plat::StandinFile& standin : plat::StandinFiles()) {
        const std::u16string_view path = standin.devicePath;
        const std::string name = plat::ToUtf8(path.substr(path.rfind(u'\\') + 1));
        if (name.ends_with(".dll")) {
            const plat::DeviceLibrary library(path);
            EXPECT_TRUE(library.IsLoaded()) << name << ": " << plat::LastErrorMessage();
            continue;
        }
        ASSERT_TRUE(plat::StartProgram(path, u"-found")) << name << ": " << plat::LastErrorMessage();
        const std::string line = "\t" + name + "\t-found\n";
        EXPECT_NE(AwaitProgramLog(device, line).find(line), std::string::npos) << name;
    }
}

TEST(StandinPrograms, WindowedStandinsEndWhenTheirDeviceIsRemoved) {
    TempDevice device;
    ASSERT_TRUE(plat::StartProgram(u"callpol.exe", u""));
    ASSERT_TRUE(plat::StartProgram(u"Velmora CallerID.exe", u""));
    ASSERT_NE(AwaitWindow(plat::kCallPolicyClass), 0u);
    ASSERT_NE(AwaitWindow(u"CALLERID_MAINCLASS"), 0u);
    plat::CloseDeviceRegistry();
    std::filesystem::remove_all(device.Root());
    EXPECT_EQ(AwaitWindow(plat::kCallPolicyClass, true), 0u);
    EXPECT_EQ(AwaitWindow(u"CALLERID_MAINCLASS", true), 0u);
}

TEST(StandinLibraries, PhoneMakeCallRefusesABadBlock) {
    TempDevice device;
    plat::DeviceLibrary phone(u"PHONE.DLL");
    ASSERT_TRUE(phone.IsLoaded()) << plat::LastErrorMessage();
    auto* call = phone.Find<PhoneMakeCallFunction>(plat::kPhoneMakeCallExport);
    ASSERT_NE(call, nullptr);
    PhoneMakeCallInfo info{24 + (sizeof(void*) == 4 ? 4 : 0), 0, u"+15551234567", nullptr, nullptr, nullptr};  // not this host's size
    EXPECT_EQ(call(&info), plat::kPhoneCallBadBlock);
    EXPECT_EQ(call(nullptr), plat::kPhoneCallBadBlock);
    const std::string log = ReadProgramLog(device);
    size_t invalid = 0;
    for (size_t at = log.find("(invalid block)"); at != std::string::npos; at = log.find("(invalid block)", at + 1)) ++invalid;
    EXPECT_EQ(invalid, 2u);
}
