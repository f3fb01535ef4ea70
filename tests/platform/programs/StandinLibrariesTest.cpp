// The stand-in libraries, loaded from a new device as the system loads them.
#include <gtest/gtest.h>

#include <vector>

#include "ProgramLogWait.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/programs/ServiceAbi.h"
#include "platform/text/Utf.h"

namespace {

TEST(StandinLibraries, PhoneMakeCallLogsTheCallAndRefusesABadBlock) {
    TempDevice device;
    plat::DeviceLibrary phone(u"PHONE.DLL");
    ASSERT_TRUE(phone.IsLoaded()) << plat::LastErrorMessage();
    auto* call = phone.Find<PhoneMakeCallFunction>(plat::kPhoneMakeCallExport);
    ASSERT_NE(call, nullptr);
    PhoneMakeCallInfo info{sizeof(PhoneMakeCallInfo), 0, u"+15551234567", nullptr, u"Smith\tJohn", nullptr};
    EXPECT_EQ(call(&info), 0);
    info.cbSize = 24 + (sizeof(void*) == 4 ? 4 : 0);  // a size that is not this host's
    EXPECT_EQ(call(&info), plat::kPhoneCallBadBlock);
    EXPECT_EQ(call(nullptr), plat::kPhoneCallBadBlock);
    const std::string log = ReadProgramLog(device);
    size_t invalid = 0;
    for (size_t at = log.find("(invalid block)"); at != std::string::npos; at = log.find("(invalid block)", at + 1)) ++invalid;
    EXPECT_EQ(invalid, 2u);
}

TEST(StandinLibraries, FlagLibrariesKeepTheirStateOnTheDevice) {
    TempDevice device;
    const struct {
        const char16_t* library;
        const char* query;
        const char* on;
        const char* off;
    } libraries[] = {
        {u"VelmoraPimUtil.dll", "Util_IsSMSHook", "Util_SetSMSHook", "Util_RemoveSMSHook"},
        {u"BrevaneToday.dll", "IsTodayRegistered", "RegisterTodayItem", "UnRegisterTodayItem"},
    };
    for (const auto& l : libraries) {
        SCOPED_TRACE(l.query);
        plat::DeviceLibrary library(l.library);
        auto* query = library.Find<FlagFunction>(l.query);
        auto* on = library.Find<FlagFunction>(l.on);
        auto* off = library.Find<FlagFunction>(l.off);
        ASSERT_TRUE(query && on && off);
        EXPECT_EQ(query(), 0);
        EXPECT_EQ(on(), 1);
        EXPECT_EQ(query(), 1);
        // Another load (as another process would) sees the same state.
        EXPECT_EQ(plat::DeviceLibrary(l.library).Find<FlagFunction>(l.query)(), 1);
        EXPECT_EQ(off(), 1);
        EXPECT_EQ(query(), 0);
        EXPECT_NE(ReadProgramLog(device).find("\t" + plat::ToUtf8(l.library) + "\t" + l.on + "\n"), std::string::npos);
    }
}

TEST(StandinLibraries, PimServiceIsRegisteredActivatedAndAnswersBothRequests) {
    TempDevice device;
    plat::DeviceLibrary core(u"coredll.dll");
    auto* getHandle = core.Find<GetServiceHandleFunction>("GetServiceHandle");
    auto* activate = core.Find<ActivateServiceFunction>("ActivateService");
    auto* control = core.Find<ServiceIoControlFunction>("ServiceIoControl");
    ASSERT_TRUE(getHandle && activate && control);
    EXPECT_EQ(getHandle(u"VelmoraPim0:", nullptr, nullptr), nullptr);
    EXPECT_EQ(activate(u"VelmoraPim", 0), nullptr);  // not registered yet

    plat::DeviceLibrary serviceLibrary(u"VelmoraPimServ.dll");
    auto* registerService = serviceLibrary.Find<RegisterServiceFunction>("RegisterService");
    ASSERT_NE(registerService, nullptr);
    EXPECT_EQ(registerService(), 1);
    EXPECT_EQ(getHandle(u"VelmoraPim0:", nullptr, nullptr), nullptr);  // registered, not running
    void* activated = activate(u"VelmoraPim", 0);
    ASSERT_NE(activated, nullptr);

    char16_t dll[64] = {};
    uint32_t dllBytes = sizeof dll;
    void* service = getHandle(u"velmorapim0:", dll, &dllBytes);
    EXPECT_EQ(service, activated);
    EXPECT_EQ(std::u16string(dll), u"VelmoraPimServ.dll");
    EXPECT_EQ(dllBytes, 38u);

    uint8_t answer = 0x55;
    uint32_t used = 0;
    EXPECT_EQ(control(service, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1, &used, nullptr), 1);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(used, 1u);
    const uint8_t assign = 1;
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, &assign, 1, nullptr, 0, nullptr, nullptr), 1);
    EXPECT_EQ(control(service, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1, &used, nullptr), 1);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, nullptr, 0, nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(control(service, 7, &assign, 1, &answer, 1, &used, nullptr), 0);
    EXPECT_EQ(control(reinterpret_cast<void*>(uintptr_t{99}), plat::kPimServiceGetDialer, nullptr, 0, &answer, 1,
                      &used, nullptr), 0);
    const std::string log = ReadProgramLog(device);
    EXPECT_NE(log.find("\tVelmoraPimServ.dll\tIOControl\t1\t1\t0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\tcoredll.dll\tServiceIoControl\t(invalid handle)\t2\n"), std::string::npos) << log;
}

TEST(StandinLibraries, LedsReportTheVibratorAndRefuseAnUnknownLed) {
    TempDevice device;
    plat::DeviceLibrary core(u"coredll.dll");
    auto* info = core.Find<NLedGetDeviceInfoFunction>("NLedGetDeviceInfo");
    auto* set = core.Find<NLedSetDeviceFunction>("NLedSetDevice");
    ASSERT_TRUE(info && set);
    NledCountInfo count{};
    ASSERT_EQ(info(plat::kNledCountInfo, &count), 1);
    ASSERT_EQ(count.cLeds, 2u);
    std::vector<int32_t> adjust;
    for (uint32_t led = 0; led <= count.cLeds; ++led) {
        NledSupportsInfo supports{};
        supports.LedNum = led;
        EXPECT_EQ(info(plat::kNledSupportsInfo, &supports), led < count.cLeds ? 1 : 0);
        if (led < count.cLeds) adjust.push_back(supports.lCycleAdjust);
    }
    EXPECT_EQ(adjust, (std::vector<int32_t>{1000, -1}));
    NledSettingsInfo settings{1, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(set(plat::kNledSettingsInfo, &settings), 1);
    settings.LedNum = 5;
    EXPECT_EQ(set(plat::kNledSettingsInfo, &settings), 0);
}

}  // namespace
