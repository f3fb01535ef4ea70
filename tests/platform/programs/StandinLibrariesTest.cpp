// The stand-in libraries, loaded from a new device as the system loads them.
#include <gtest/gtest.h>

#include <vector>

#include "ProgramLogWait.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"
#include "platform/programs/ServiceAbi.h"
#include "platform/text/Utf.h"

namespace {

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

TEST(StandinLibraries, PimServiceIsRegisteredActivatedAndAnswersBothRequests) {
    TempDevice device;
    plat::DeviceLibrary core(u"coredll.dll");
    auto* getHandle = core.Find<GetServiceHandleFunction>("GetServiceHandle");
    auto* activate = core.Find<ActivateServiceFunction>("ActivateService");
    auto* control = core.Find<ServiceIoControlFunction>("ServiceIoControl");
    ASSERT_TRUE(getHandle && activate && control);
    EXPECT_EQ(activate(u"VelmoraPim", 0), nullptr);  // not registered yet

    plat::DeviceLibrary serviceLibrary(u"VelmoraPimServ.dll");
    auto* registerService = serviceLibrary.Find<RegisterServiceFunction>("RegisterService");
    ASSERT_NE(registerService, nullptr);
    EXPECT_EQ(registerService(), 1);
    EXPECT_EQ(getHandle(u"VelmoraPim0:", nullptr, nullptr), nullptr);  // registered, not running
    void* activated = activate(u"VelmoraPim", 0);
    ASSERT_NE(activated, nullptr);

    void* service = getHandle(u"velmorapim0:", nullptr, nullptr);
    EXPECT_EQ(service, activated);

    uint8_t answer = 0x55;
    uint32_t used = 0;
    const uint8_t assign = 1;
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, &assign, 1, nullptr, 0, nullptr, nullptr), 1);
    EXPECT_EQ(control(service, plat::kPimServiceGetDialer, nullptr, 0, &answer, 1, &used, nullptr), 1);
    EXPECT_EQ(std::pair(answer, used), std::pair(uint8_t{1}, 1u));
    EXPECT_EQ(control(service, plat::kPimServiceSetDialer, nullptr, 0, nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(control(service, 7, &assign, 1, &answer, 1, &used, nullptr), 0);
    EXPECT_EQ(control(reinterpret_cast<void*>(uintptr_t{99}), plat::kPimServiceGetDialer, nullptr, 0, &answer, 1,
                      &used, nullptr), 0);
}

}  // namespace
