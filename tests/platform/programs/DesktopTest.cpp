#include <gtest/gtest.h>

#include "platform/programs/Desktop.h"
#include "platform/programs/DesktopAddress.h"
#include "platform/registry/Registry.h"
#include "support/TempDevice.h"

// Messaging command lines become mailto or sms addresses; only web addresses go to the browser.
TEST(DesktopAddress, MessagingAndWebAddresses) {
    const struct {
        std::string (*address)(std::u16string_view);
        std::u16string_view commandLine;
        const char* expected;
    } cases[] = {
        {plat::MessagingAddress, u"-To \"a.b@example.org\"", "mailto:a.b@example.org"},
        {plat::MessagingAddress, u"-service \"SMS\" -To \"Smith John<+15551234567>\"", "sms:+15551234567"},
        {plat::MessagingAddress, u"-To \"x y&z?@example.org\"", "mailto:x%20y%26z%3F@example.org"},
        {plat::MessagingAddress, u"-service \"MMS\" -To \"+1\"", "mailto:+1"},
        {plat::MessagingAddress, u"-To \"unterminated", ""},
        {plat::WebAddress, u"http://example.org/a?b=c", "http://example.org/a?b=c"},
        {plat::WebAddress, u" \"https://example.org\" ", "https://example.org"},
        {plat::WebAddress, u"www.example.org", "http://www.example.org"},
        {plat::WebAddress, u"file:///etc/passwd", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.address(c.commandLine), c.expected);
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
