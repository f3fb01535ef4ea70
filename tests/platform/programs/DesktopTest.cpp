#include <gtest/gtest.h>

#include "platform/programs/Desktop.h"
#include "platform/programs/DesktopAddress.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

TEST(DesktopAddress, MessagingCommandLinesBecomeMailtoOrSms) {
    const struct {
        std::u16string_view commandLine;
        const char* address;
    } cases[] = {
        {u"-To \"a.b@example.org\"", "mailto:a.b@example.org"},
        {u"-service \"SMS\" -To \"Smith John<+15551234567>\"", "sms:+15551234567"},
        {u"-To \"x y&z?@example.org\"", "mailto:x%20y%26z%3F@example.org"},
        {u"-service \"MMS\" -To \"+1\"", "mailto:+1"},
        {u"-To \"unterminated", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(plat::MessagingAddress(c.commandLine), c.address);
}

TEST(DesktopAddress, OnlyWebAddressesGoToTheBrowser) {
    const struct {
        std::u16string_view commandLine;
        const char* address;
    } cases[] = {
        {u"http://example.org/a?b=c", "http://example.org/a?b=c"},
        {u" \"https://example.org\" ", "https://example.org"},
        {u"www.example.org", "http://www.example.org"},
        {u"file:///etc/passwd", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(plat::WebAddress(c.commandLine), c.address);
}

// Off by default and on with the number 1 are checked through the hand-off itself (the start
// tests); a switch stored with another type stays off.
TEST(Desktop, ASwitchOfAnotherTypeStaysOff) {
    TempDevice device;
    for (const plat::RegValue& value : {plat::RegValue::String(u"1"), plat::RegValue::Binary({1, 0, 0, 0})}) {
        ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, plat::kPlatformKey, plat::kUseDesktopValue, value));
        EXPECT_FALSE(plat::UsesDesktop());
    }
}
