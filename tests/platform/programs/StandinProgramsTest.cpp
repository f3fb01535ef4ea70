// The stand-in programs and libraries, started and loaded on a new device as the system does. What
// they log when used is checked by the dialler's tests and the end-to-end script.
#include <gtest/gtest.h>

#include <vector>

#include "CallPolicyBytes.h"
#include "ProgramLogWait.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/Process.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/registry/Registry.h"

namespace {

plat::LRESULT SendBlock(plat::HWND window, const std::vector<uint8_t>& block) {
    const plat::COPYDATASTRUCT data{plat::kCallPolicyCopyData, static_cast<uint32_t>(block.size()), block.data()};
    return plat::SendMessage(window, plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&data));
}

}  // namespace

TEST(StandinPrograms, CallPolicyWindowRefusesADamagedBlock) {
    TempDevice device;
    ASSERT_TRUE(plat::StartProgram(u"callpol.exe", u""));
    const plat::HWND window = AwaitWindow(plat::kCallPolicyClass);
    ASSERT_NE(window, 0u);
    std::vector<uint8_t> damaged = CallPolicyBytes(u"*#06#");
    damaged[4] = 21;
    EXPECT_EQ(SendBlock(window, damaged), 0);
    EXPECT_TRUE(plat::PostMessage(window, plat::WM_CLOSE, 0, 0));
    EXPECT_EQ(AwaitWindow(plat::kCallPolicyClass, true), 0u);
    const std::string log = ReadProgramLog(device);
    EXPECT_NE(log.find("\tcallpol.exe\tdamaged block\t32\n"), std::string::npos) << log;
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
