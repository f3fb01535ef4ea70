#include "phone/messaging/Messaging.h"

#include <gtest/gtest.h>

#include "phone/messaging/ProgramLogWatch.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"

namespace {

constexpr std::u16string_view kInboxKey = u"Software\\Microsoft\\Shell\\Rai\\:MSINBOX";

void SetInbox(const std::optional<plat::RegValue>& value) {
    plat::DeviceRegistry().DeleteKey(plat::Hive::LocalMachine, kInboxKey);
    if (value) plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, kInboxKey, u"1", *value);
}

}  // namespace

TEST(Messaging, SmsAndEmailArguments) {
    const std::u16string longest(kMaxSmsName, u'n');
    const std::u16string digits(kMaxSmsNumber, u'5');
    struct Case {
        std::u16string number, name, expected;
    };
    const Case cases[] = {
        {u"+1 (555) 123-4567", u"Smith; John", u"-service \"SMS\" -To \"Smith John<+15551234567>\""},
        {u"+1 (555) 123-4567", u"", u"-service \"SMS\" -To \"+15551234567\""},
        {u"0049 30/1234 x5", u"A,B;C[D]E{F}G<H>I:J", u"-service \"SMS\" -To \"ABCDEFGHIJ<00493012345>\""},
        {u"555", u"Jo \"JJ\" Ng", u"-service \"SMS\" -To \"Jo JJ Ng<555>\""},  // stays one argument
        {u"555", u";:", u"-service \"SMS\" -To \"555\""},  // nothing left of the name
        {u"555", longest, u"-service \"SMS\" -To \"" + longest + u"<555>\""},
        {u"555", longest + u"n", u"-service \"SMS\" -To \"555\""},
        {digits, u"A", u"-service \"SMS\" -To \"A<" + digits + u">\""},
        {digits + u"5", u"A", u"-service \"SMS\" -To \"A<>\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SmsArguments(c.number, c.name), c.expected) << Str(c.number).ToUtf8();
    }
    EXPECT_EQ(SmsArguments(u"0049 30/1234 x5", u""), u"-service \"SMS\" -To \"00493012345\"");
    EXPECT_EQ(EmailArguments(u"anna@example.org"), u"-To \"anna@example.org\"");
    EXPECT_EQ(EmailArguments(u"a\" -service \"SMS"), u"-To \"a -service SMS\"");
}

TEST(Messaging, MailProgramFromTheShell) {
    TempDevice device;
    EXPECT_EQ(MailProgram(), u"tmail.exe");  // a new device's entry
    struct Case {
        std::optional<plat::RegValue> value;
        const char16_t* expected;
    };
    const Case cases[] = {
        {plat::RegValue::String(u"\"\\Windows\\Other Mail.exe\""), u"\\Windows\\Other Mail.exe"},
        {plat::RegValue::String(u"\"\""), u"tmail.exe"},
        {plat::RegValue::Dword(1), u"tmail.exe"},
        {std::nullopt, u"tmail.exe"},
    };
    for (const Case& c : cases) {
        SetInbox(c.value);
        EXPECT_EQ(MailProgram(), c.expected);
    }
    EXPECT_TRUE(plat::DeviceRegistry().KeyExists(plat::Hive::LocalMachine, kInboxKey));  // made again
}

TEST(Messaging, CountersReadTheStateOrZero) {
    TempDevice device;
    plat::Registry& registry = plat::DeviceRegistry();
    ASSERT_TRUE(registry.SetValue(plat::Hive::CurrentUser, u"System\\State\\Messages\\sms\\Unread", u"Count",
                                  plat::RegValue::Dword(4)));
    ASSERT_TRUE(registry.SetValue(plat::Hive::CurrentUser, u"System\\State\\Phone", u"Missed Call Count",
                                  plat::RegValue::String(u"3")));
    EXPECT_EQ(UnreadSmsCount(), 4u);
    EXPECT_EQ(MissedCallCount(), 0u);
    ASSERT_TRUE(registry.DeleteKey(plat::Hive::CurrentUser, u"System\\State\\Messages"));
    EXPECT_EQ(UnreadSmsCount(), 0u);
}

TEST(Messaging, ProgramsAreStartedWithTheArgumentsExactly) {
    TempDevice device;
    ASSERT_TRUE(std::filesystem::exists(device.Host(u"\\Windows\\tmail.exe")))
        << "the stand-in programs are not built (target brevane-standins)";
    ASSERT_TRUE(SendSms(u"+1 (555) 123-4567", u"Smith; John"));
    auto lines = WaitForProgramLog(device, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "tmail.exe\t-service \"SMS\" -To \"Smith John<+15551234567>\"");

    // A messaging program that cannot be started gives way to pmail.exe.
    SetInbox(plat::RegValue::String(u"\\Windows\\missing.exe"));
    ASSERT_TRUE(SendEmail(u"anna@example.org"));
    lines = WaitForProgramLog(device, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "pmail.exe\t-To \"anna@example.org\"");

    ASSERT_TRUE(OpenWeb(u"http://example.org/a b?c=\"d\""));
    lines = WaitForProgramLog(device, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "iexplore.exe\thttp://example.org/a b?c=\"d\"");
}

TEST(Messaging, MissingProgramsAreReported) {
    TempDevice device;
    for (const char16_t* program : {u"\\Windows\\tmail.exe", u"\\Windows\\pmail.exe", u"\\Windows\\iexplore.exe"}) {
        std::filesystem::remove(device.Host(program));
    }
    MessageBoxRecorder boxes;
    EXPECT_FALSE(SendSms(u"555", u""));
    EXPECT_TRUE(boxes.Boxes().empty());  // nothing is shown for mail
    EXPECT_FALSE(OpenWeb(u"example.org"));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, u"Cannot find Iexplore.exe");
    EXPECT_EQ(boxes.Boxes()[0].caption, u"");
    EXPECT_EQ(boxes.Boxes()[0].flags, plat::MB_OK);
}
