#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/ToneDialer.h"
#include "platform/sound/WaveVolume.h"
#include "store/contact/Contact.h"

namespace {

std::string Tone(int resource) { return "coredll.dll\tPlaySound\ttone" + std::to_string(resource) + "\t160"; }

TEST(PlayTones, TonesPausesAndSkippedCharacters) {
    const struct {
        const char16_t* number;
        std::vector<uint32_t> waits;
        std::vector<int> tones;
    } cases[] = {
        {u"1,2", {160, 900, 160}, {173, 174}},  // no tone gap after a pause
        {u"9*#a-0", {160, 100, 160, 100, 160, 100, 160}, {171, 181, 182, 172}},
        {u"abc", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Str(c.number).ToUtf8());
        TempDevice device;
        plat::ScopedTestClock clock;
        ClockSleeper sleeper(clock);
        PlayTones(c.number, sleeper);
        EXPECT_EQ(sleeper.waits, c.waits);
        std::vector<std::string> expected;
        for (const int t : c.tones) expected.push_back(Tone(t));
        EXPECT_EQ(ProgramLog(device), expected);
    }
}

TEST(PlayTones, QuietVolumeRaisedWhilePlayingAndPutBack) {
    class VolumeSleeper : public plat::Sleeper {
    public:
        void Sleep(uint32_t) override { seen.push_back(plat::GetWaveVolume()); }
        std::vector<uint32_t> seen;
    };
    const struct {
        uint32_t before, during;
    } cases[] = {{0x7FFE0000, 0x7FFF7FFF}, {0x7FFF0000, 0x7FFF0000}};
    for (const auto& c : cases) {
        TempDevice device;
        ASSERT_TRUE(plat::SetWaveVolume(c.before));
        VolumeSleeper sleeper;
        PlayTones(u"5", sleeper);
        EXPECT_EQ(sleeper.seen, std::vector<uint32_t>{c.during});
        EXPECT_EQ(plat::GetWaveVolume(), c.before);
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

}  // namespace
