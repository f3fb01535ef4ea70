// Messages, programs, the vibrator and the SMS hook of the device.
#include "phone/messaging/Messaging.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/messaging/SmsHook.h"
#include "phone/messaging/Vibrator.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "support/MessageBoxRecorder.h"

namespace {

constexpr std::u16string_view kInboxKey = u"Software\\Microsoft\\Shell\\Rai\\:MSINBOX";

void SetInbox(const plat::RegValue& value) {
    ASSERT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::LocalMachine, kInboxKey, u"1", value));
}

}  // namespace

TEST(Messaging, SmsAndEmailArguments) {
    const std::u16string longest(kMaxSmsName, u'n');
    const std::u16string digits(kMaxSmsNumber, u'5');
    const std::u16string sms = u"-service \"SMS\" -To ";
    struct Case {
        std::u16string number, name, expected;
    };
    const Case cases[] = {
        {u"0049 30/1234 x5", u"A,B;C[D]E{F}G<H>I:J", sms + u"\"ABCDEFGHIJ<00493012345>\""},
        {u"555", u"Jo \"JJ\" Ng", sms + u"\"Jo JJ Ng<555>\""},  // stays one argument
        {u"555", u";:", sms + u"\"555\""},
        {u"555", longest + u"n", sms + u"\"555\""},
        {digits + u"5", u"A", sms + u"\"A<>\""},
    };
    for (const Case& c : cases) EXPECT_EQ(SmsArguments(c.number, c.name), c.expected) << Str(c.number).ToUtf8();
    EXPECT_EQ(EmailArguments(u"a\" -service \"SMS"), u"-To \"a -service SMS\"");
}

TEST(Messaging, MailProgramAndCountersFromTheRegistry) {
    TempDevice device;
    SetInbox(plat::RegValue::String(u"\"\\Windows\\Other Mail.exe\""));
    EXPECT_EQ(MailProgram(), u"\\Windows\\Other Mail.exe");
    SetInbox(plat::RegValue::Dword(1));
    EXPECT_EQ(MailProgram(), u"tmail.exe");

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

TEST(Messaging, MailFallsBackToPmailWhenTheProgramCannotStart) {
    TempDevice device;
    ASSERT_TRUE(std::filesystem::exists(device.Host(u"\\Windows\\pmail.exe")))
        << "the stand-in programs are not built (target brevane-standins)";
    SetInbox(plat::RegValue::String(u"\\Windows\\missing.exe"));
    ASSERT_TRUE(SendEmail(u"anna@example.org"));
    EXPECT_EQ(ProgramLog(device, 1), (std::vector<std::string>{"pmail.exe\t-To \"anna@example.org\""}));
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
    EXPECT_EQ(std::tuple(boxes.Boxes()[0].text, boxes.Boxes()[0].caption, boxes.Boxes()[0].flags),
              std::tuple(std::u16string(u"Cannot find Iexplore.exe"), std::u16string(), plat::MB_OK));
}

// The vibrator LED is switched on for the time and off again; without the library nothing vibrates.
TEST(Vibrator, SwitchesTheVibratorLedForTheTimeAndStaysOffWithoutTheLibrary) {
    TempDevice device;
    const auto library = device.Host(u"\\Windows\\coredll.dll");
    ASSERT_TRUE(std::filesystem::exists(library)) << "the stand-in libraries are not built (target brevane-standins)";
    std::vector<long> sleeps;
    const auto record = [&sleeps](std::chrono::milliseconds time) { sleeps.push_back(static_cast<long>(time.count())); };
    Vibrator vibrator(record);
    ASSERT_TRUE(vibrator.Vibrate(40));
    EXPECT_EQ(vibrator.Led(), 1u);  // the stand-in's LED 1 reports the cycle adjustment -1
    EXPECT_EQ(sleeps, std::vector<long>{40});
    std::vector<std::string> calls;
    for (const std::string& line : ProgramLog(device)) {
        if (line.starts_with("coredll.dll\tNLedSetDevice")) calls.push_back(line);
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"coredll.dll\tNLedSetDevice\t2\t1\t1",
                                               "coredll.dll\tNLedSetDevice\t2\t1\t0"}));

    std::filesystem::remove(library);
    EXPECT_FALSE(Vibrator(record).Vibrate(40));
    EXPECT_EQ(sleeps.size(), 1u);
}

TEST(SmsHook, TheOptionIsStoredAndTheHookFollows) {
    TempDevice device;
    EXPECT_FALSE(IsSmsHookInstalled());
    ASSERT_TRUE(ApplySmsFix(true));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 1u);
    EXPECT_TRUE(IsSmsHookInstalled());
    ASSERT_TRUE(ApplySmsFix(false));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 0u);
    EXPECT_FALSE(IsSmsHookInstalled());

    // Without the library the choice is still stored, and the result says the hook did not follow.
    std::filesystem::remove(device.Host(u"\\Windows\\VelmoraPimUtil.dll"));
    EXPECT_FALSE(ApplySmsFix(true));
    EXPECT_EQ(SettingsStore::ReadDword(u"Settings", kSmsFixValue, 99), 1u);
    EXPECT_FALSE(IsSmsHookInstalled());
}
