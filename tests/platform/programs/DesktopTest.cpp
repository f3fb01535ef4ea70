#include <gtest/gtest.h>

#include "platform/locale/Locale.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/DesktopAddress.h"
#include "platform/programs/E164.h"
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

// Numbers go to the host in E.164 form for the device's country; what cannot be read as a possible
// number there is handed over as dialled.
TEST(DesktopAddress, NumbersInE164Form) {
    const struct {
        const char* dialled;
        const char* region;
        const char* expected;
    } cases[] = {
        {"(555) 123-4567", "US", "+15551234567"},
        {"030 123456", "DE", "+4930123456"},
        {"+44 20 7946 0018", "DE", "+442079460018"},
        {"0044 20 7946 0018", "DE", "+442079460018"},
        {"12", "US", "12"},
        {"*100#", "DE", "*100#"},
        {"", "US", ""},
        {"call me", "US", "call me"},
    };
    for (const auto& c : cases) EXPECT_EQ(plat::E164Number(c.dialled, c.region), c.expected) << c.dialled;
}

TEST(DesktopAddress, CallsAndSmsUseTheDeviceCountry) {
    TempDevice device;
    ASSERT_TRUE(plat::SetDeviceLocale("de_DE"));
    EXPECT_EQ(plat::DeviceRegion(), "DE");
    EXPECT_EQ(plat::TelAddress(u"030 123456"), "tel:+4930123456");
    EXPECT_EQ(plat::TelAddress(u"*100#"), "tel:%2A100%23");
    EXPECT_EQ(plat::MessagingAddress(u"-service \"SMS\" -To \"Anna<01712345678>\""), "sms:+491712345678");
}
