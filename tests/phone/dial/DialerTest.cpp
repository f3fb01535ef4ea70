#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/dial/CallPolBlock.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialString.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/ToneDialer.h"
#include "platform/programs/CallPolicyBlock.h"
#include "platform/sound/WaveVolume.h"
#include "store/contact/Contact.h"

namespace {

std::string Tone(int resource) { return "coredll.dll\tPlaySound\ttone" + std::to_string(resource) + "\t160"; }

// Tones with their gaps and pauses, characters without a tone skipped; a quiet wave volume is
// raised while the tones play and put back after.
TEST(PlayTones, TonesPausesSkippedCharactersAndTheVolume) {
    const struct {
        const char16_t* number;
        uint32_t volume;  // before and after
        std::vector<uint32_t> waits;
        std::vector<int> tones;
        uint32_t playing;  // the volume during each wait
    } cases[] = {
        {u"1,2", 0x7FFF0000, {160, 900, 160}, {173, 174}, 0x7FFF0000},  // no tone gap after a pause
        {u"9*#a-0", 0x7FFE0000, {160, 100, 160, 100, 160, 100, 160}, {171, 181, 182, 172}, 0x7FFF7FFF},
        {u"abc", 0x7FFF0000, {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Str(c.number).ToUtf8());
        TempDevice device;
        ASSERT_TRUE(plat::SetWaveVolume(c.volume));
        plat::ScopedTestClock clock;
        ClockSleeper sleeper(clock);
        PlayTones(c.number, sleeper);
        EXPECT_EQ(sleeper.waits, c.waits);
        EXPECT_EQ(sleeper.volumes, std::vector<uint32_t>(c.waits.size(), c.playing));
        EXPECT_EQ(plat::GetWaveVolume(), c.volume);
        std::vector<std::string> expected;
        for (const int t : c.tones) expected.push_back(Tone(t));
        EXPECT_EQ(ProgramLog(device), expected);
    }
}

// Three one-second steps of the countdown, then the tones; a cancelled countdown plays nothing.
TEST(Dial, SoundMethodCountsDownThenPlaysUnlessCancelled) {
    TempDevice device;
    EXPECT_EQ(DialCountdown(u"5551234").WaitingText().View(), u"Waiting for 3 seconds...");
    plat::ScopedTestClock clock;
    ClockSleeper sleeper(clock);
    Dialer waiting({nullptr, &sleeper, nullptr, nullptr});
    EXPECT_EQ(waiting.Dial(0, u"12", nullptr, kDialSound, Str()), 0);
    EXPECT_EQ(sleeper.waits, (std::vector<uint32_t>{1000, 1000, 1000, 160, 100, 160}));
    EXPECT_EQ(ProgramLog(device), (std::vector<std::string>{Tone(173), Tone(174)}));

    Dialer cancelling({nullptr, &sleeper, [](DialCountdown& c) {
                           c.Tick();
                           c.Cancel();
                           EXPECT_FALSE(c.Tick());
                           EXPECT_FALSE(c.Finished());
                       }, nullptr});
    EXPECT_EQ(cancelling.Dial(0, u"3", nullptr, kDialSound, Str()), 0);
    EXPECT_EQ(ProgramLog(device).size(), 2u);
}

TEST(Dial, StoredAddInMethodAndTheAddInPath) {
    TempDevice device({.phone = false});
    SettingsStore::WriteDword(settings::kSettings, settings::kDialupMode, kDialAddIn);
    Dialer none;
    EXPECT_EQ(none.ResolveMethod(0), kDialNone);
    EXPECT_EQ(none.Dial(0, u"5551234", nullptr, 0, Str()), 0);
    EXPECT_TRUE(ProgramLog(device).empty());

    RecordingAddIn addIn;
    Dialer dialer({&addIn});
    EXPECT_EQ(dialer.ResolveMethod(0), kDialAddIn);
    Contact contact;
    contact.SetRecordId(0x42);
    EXPECT_EQ(dialer.Dial(0, u"5551234", &contact, 0, Str()), 0);
    EXPECT_EQ(addIn.items, std::vector<uint32_t>{0x80000042});
    EXPECT_EQ(dialer.Dial(0, u"5551234", nullptr, 0, u"Anna"), kDialMissing);  // the add-in needs a contact
    EXPECT_EQ(addIn.calls, 1);
}

TEST(ComposeDialString, CardFormatsAroundTheNumber) {
    const struct {
        const char16_t* format;
        const char16_t* number;
        const char16_t* expected;
    } cases[] = {
        {u"9,,@", u"5551234", u"9,,5551234"},
        {u"--@#", u"+15551234", u"5551234#"},
        {u"1234", u"5551234", u"1234"},        // no "@": the card's own text
        {u"--@--", u"123", u""},               // more removed than there is
        {u"0-@-9", u"12345", u"02349"},        // one character off each end
        {u"a@b@c", u"77", u"a77b@c"},          // only the first "@"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeDialString(c.format, c.number).View(), std::u16string_view(c.expected))
            << Str(c.format).ToUtf8() << " / " << Str(c.number).ToUtf8();
    }
}

TEST(CallPolBlock, LayoutAndSizeByteForByte) {
    // "*#06#": 5 characters, (10 + 25) & ~3 = 32 bytes.
    const std::vector<uint8_t> five = BuildCallPolBlock(u"*#06#");
    const std::vector<uint8_t> expected = {1, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0, 0, 0, 0, '*', 0, '#', 0, '0', 0, '6', 0, '#', 0, 0, 0};
    EXPECT_EQ(five, expected);
    // Text beyond Latin keeps both bytes of each unit.
    const std::vector<uint8_t> wide = BuildCallPolBlock(u"\u0661#");
    ASSERT_EQ(wide.size(), 28u);
    EXPECT_EQ(wide[20], 0x61);
    EXPECT_EQ(wide[21], 0x06);
    for (size_t len = 0; len < 40; ++len) {  // whole words, room for the NUL, read back by the receiver
        const std::u16string number(len, u'1');
        const std::vector<uint8_t> block = BuildCallPolBlock(number);
        EXPECT_EQ(block.size() % 4, 0u);
        EXPECT_GE(block.size(), 20 + 2 * len + 2);
        EXPECT_EQ(plat::ReadCallPolicyBlock(block), number);
    }
    EXPECT_TRUE(IsServiceCode(u"*#06#"));
    EXPECT_FALSE(IsServiceCode(u"#31#5551234"));
}

TEST(ResolveDialMethod, PhoneAndNonPhoneDevicesWithAndWithoutAddIn) {
    const struct {
        uint32_t method, stored;
        bool phone, addIn;
        uint32_t expected;
    } cases[] = {
        {0, 0, true, false, kDialJustCall},
        {0, kDialAddIn, true, false, kDialJustCall},  // stored add-in without one
        {0, kDialAddIn, false, false, kDialNone},     // no phone service without a phone
        {0, kDialAddIn, true, true, kDialAddIn},
        {0, kDialNone, true, false, kDialJustCall},   // a phone always dials
        {kDialSound, kDialJustCall, true, false, kDialSound},  // the given method wins
        {0, kDialJustCall, false, true, kDialAddIn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveDialMethod(c.method, c.stored, c.phone, c.addIn), c.expected)
            << c.method << " " << c.stored << " " << c.phone << " " << c.addIn;
    }
}

}  // namespace
