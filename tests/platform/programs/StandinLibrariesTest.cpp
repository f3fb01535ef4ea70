// The phone stand-in library, loaded from a new device as the system loads it. Its calls are
// logged as the dialler and the end-to-end script check; here a block it must refuse.
#include <gtest/gtest.h>

#include "ProgramLogWait.h"
#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/PhoneAbi.h"

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

}  // namespace
