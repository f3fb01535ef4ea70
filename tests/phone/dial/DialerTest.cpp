// Dialling: tones, the methods, calling cards and the dial string, the call-policy block, and
// calls through the device's phone library and call-policy program.
#include <gtest/gtest.h>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/dial/CallPolBlock.h"
#include "phone/dial/CallingCards.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/DialString.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/EditDialModel.h"
#include "phone/dial/PhoneService.h"
#include "phone/dial/ToneDialer.h"
#include "phone/menu/PhoneFields.h"
#include "platform/programs/CallPolicyBlock.h"
#include "platform/programs/Process.h"
#include "platform/registry/Registry.h"
#include "platform/window/Messages.h"
#include "store/contact/Contact.h"
#include "support/CallPolicyBytes.h"
#include "support/ContactOf.h"

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

    Dialer cancelling({nullptr, &sleeper,
                       [](DialCountdown& c) {
                           (void)c.Tick();  // the first step is not the last
                           c.Cancel();
                           EXPECT_FALSE(c.Tick());
                           EXPECT_FALSE(c.Finished());
                       },
                       nullptr});
    EXPECT_EQ(cancelling.Dial(0, u"3", nullptr, kDialSound, Str()), 0);
    EXPECT_EQ(ProgramLog(device).size(), 2u);
}

TEST(Dial, StoredAddInMethodAndTheAddInPath) {
    TempDevice device({.phone = false});
    EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialupMode, kDialAddIn));
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
    addIn.dials = false;
    EXPECT_EQ(dialer.Dial(0, u"5551234", &contact, 0, Str()), kDialFailed) << "a failed add-in is no call";
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

// The block is the one the call-policy window reads (its bytes are spelled out beside that
// reader's tests): text beyond Latin keeps both bytes of each unit, and every length is padded.
TEST(CallPolBlock, LayoutAndSizeByteForByte) {
    for (const std::u16string& code : {std::u16string(u"*#06#"), std::u16string(u"\u0661#")}) {
        EXPECT_EQ(BuildCallPolBlock(code), CallPolicyBytes(code));
    }
    for (size_t len = 0; len < 40; ++len) {
        const std::u16string number(len, u'1');
        EXPECT_EQ(BuildCallPolBlock(number), CallPolicyBytes(number)) << len;
        EXPECT_EQ(plat::ReadCallPolicyBlock(BuildCallPolBlock(number)), number);
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

// Ends a stand-in program by its window, so none outlives the test.
void CloseProgram(std::u16string_view windowClass) {
    // Clean-up.
    if (const plat::HWND window = plat::FindWindow(windowClass))
        (void)plat::PostMessage(window, plat::WM_CLOSE, 0, 0);
}

TEST(PhoneCall, ThroughTheDevicesPhoneLibraryWithTheCalledParty) {
    TempDevice device;
    ASSERT_TRUE(PhoneCallAvailable()) << "the phone library stand-in is not installed";
    int prepared = 0;
    // Real waits: the phone program is a process of its own and needs real time to come up.
    Dialer dialer({nullptr, nullptr, nullptr, [&] { ++prepared; }});
    Contact contact = ContactOf({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}});
    EXPECT_EQ(dialer.Dial(0, u"+1 555 1234", &contact, 0, Str()), 0);
    contact.SetText(kFieldFileAs, u"Smith (home)");
    EXPECT_EQ(dialer.Dial(0, u"5551234", &contact, kDialJustCall, Str()), 0);
    // A name given (a speed-dial button's own) names the party, with or without the contact.
    EXPECT_EQ(dialer.Dial(0, u"777", &contact, kDialJustCall, u"Desk"), 0);
    EXPECT_EQ(dialer.Dial(0, u"888", nullptr, kDialJustCall, Str()), 0);
    EXPECT_EQ(dialer.Dial(0, u"*#06#", &contact, kDialJustCall, Str()), kDialMissing);
    CloseProgram(u"MSCprog");
    EXPECT_EQ(prepared, 4);
    EXPECT_EQ(ProgramLog(device, 4, "phone.dll\tPhoneMakeCall"),
              (std::vector<std::string>{
                  "phone.dll\tPhoneMakeCall\t0\t+1 555 1234\t(null)\tSmith, Anna\t(null)",
                  "phone.dll\tPhoneMakeCall\t0\t5551234\t(null)\tSmith (home)\t(null)",
                  "phone.dll\tPhoneMakeCall\t0\t777\t(null)\tDesk\t(null)",
                  "phone.dll\tPhoneMakeCall\t0\t888\t(null)\t(null)\t(null)",
              }));
    // The phone program was started for the first call and found running for the others.
    int starts = 0;
    for (const std::string& line : ProgramLog(device)) starts += line.starts_with("cprog.exe") ? 1 : 0;
    EXPECT_EQ(starts, 1);
}

TEST(PhoneCall, ServiceCodeReachesTheCallPolicyProgram) {
    TempDevice device;
    ASSERT_TRUE(plat::StartProgram(u"callpol.exe", u""));
    ASSERT_NE(AwaitWindow(u"CallPol"), 0u);
    EXPECT_EQ(Dialer().Dial(0, u"*#06#", nullptr, kDialJustCall, Str()), 0);
    EXPECT_EQ(Dialer().Dial(0, u"*21*5551234#", nullptr, 0, Str()), 0);
    CloseProgram(u"CallPol");
    // The program's start, then the two codes; the phone library is never called.
    EXPECT_EQ(ProgramLog(device), (std::vector<std::string>{"callpol.exe\t", "callpol.exe\tservice code\t*#06#",
                                                          "callpol.exe\tservice code\t*21*5551234#"}));
}

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;
using Texts = std::vector<std::u16string>;

std::u16string CardKey() { return std::u16string(settings::kRoot) + std::u16string(settings::kCallCard); }

Texts Shown(const CallingCards& cards) {
    Texts out;
    for (int i = 0; i < cards.Count(); ++i) out.emplace_back(cards.At(i).Shown().View());
    return out;
}

Pairs Stored() {
    Pairs out;
    for (const auto& [name, value] : plat::DeviceRegistry().Values(plat::Hive::CurrentUser, CardKey())) {
        out.emplace_back(name, value.AsString().value_or(u"<not text>"));
    }
    return out;
}

TEST(CallingCards, LoadsBuiltInFirstSkippingForeignValues) {
    TempDevice device;
    const std::pair<const char16_t*, plat::RegValue> values[] = {
        {u"Office", plat::RegValue::String(u"9,@")},
        {u"Broken", plat::RegValue::Dword(7)},
        {u"VOID CARD", plat::RegValue::String(u"1@")},
        {u"Blank", plat::RegValue::String(u"")},
        {u"Long", plat::RegValue::String(std::u16string(600, u'1') + u"@")},
    };
    for (const auto& [name, value] : values)
        EXPECT_TRUE(plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, CardKey(), name, value));
    CallingCards cards;
    cards.Load();
    ASSERT_EQ(cards.Count(), 4);
    // A card without format shows its name; a long format is cut.
    EXPECT_EQ(Shown(cards), (Texts{u"Void card", u"Office (9,@)", u"Blank", Shown(cards)[3]}));
    EXPECT_EQ(cards.At(3).format.GetLength(), CallingCards::kMaxStoredChars);
    EXPECT_EQ(std::pair(cards.FindShown(u"Office (9,@)"), cards.FindName(u"office")), std::pair(1, 1));
}

TEST(CallingCards, AddReplaceAndRemoveKeepTheSectionInStep) {
    TempDevice device;
    CallingCards cards;
    cards.Load();
    const struct {
        CallingCard card;
        int index;
    } adds[] = {
        {{u"Home", u"1010@"}, 1},
        {{u"HOME", u"2020@"}, 1},  // one value name: the format changes
        {{u"", u"1@"}, -1},
        {{u"void Card", u"1@"}, -1},
        {{u"Trip", u"00@"}, 2},
    };
    for (const auto& a : adds) EXPECT_EQ(cards.Add(a.card), a.index) << a.card.name.ToUtf8();
    EXPECT_EQ(Stored(), (Pairs{{u"Home", u"2020@"}, {u"Trip", u"00@"}}));
    EXPECT_TRUE(cards.Replace(2, {u"home", u"3@"}));  // renamed onto another card: one card left
    EXPECT_EQ(Shown(cards), (Texts{u"Void card", u"home (3@)"}));
    EXPECT_FALSE(cards.Replace(0, {u"X", u"1@"}) || cards.Remove(0));  // the built-in card stays
    EXPECT_TRUE(cards.Remove(1));
    EXPECT_TRUE(Stored().empty());
    CallingCards reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Count(), 1);
}

Contact TwoNumbers() {
    Contact contact =
        ContactOf({{kFieldWorkPhone, u"+1 (555) 100-2000 ext"}, {kFieldMobile, u"555.300.4000"}});
    contact.SetDefaultTag(kTagMobile);
    contact.SetRecordId(9);
    return contact;
}

// The stored default card is selected; OK remembers the chosen card and dials by sound.
TEST(EditDialModel, NumbersCardsTheDialStringAndOk) {
    TempDevice device;
    plat::ScopedTestClock clock;
    ClockSleeper sleeper(clock);
    CallingCards stored;
    stored.Load();
    stored.Add({u"Office", u"9,@"});
    EXPECT_TRUE(SettingsStore::WriteString(settings::kSettings, settings::kDefCard, u"Office (9,@)"));
    EditDialModel model;
    model.Open(TwoNumbers());
    EXPECT_EQ(model.Numbers(), (std::vector<Str>{u"+15551002000", u"5553004000"}));
    EXPECT_EQ(std::tuple(model.SelectedNumber(), model.SelectedCard(), model.CardButtonsShown()), std::tuple(1, 1, true));
    model.SelectNumber(0);
    EXPECT_EQ(model.DialString().View(), u"9,+15551002000");
    model.SelectCard(0);
    EXPECT_FALSE(model.CardButtonsShown());
    EXPECT_EQ(model.DialString().View(), u"+15551002000");

    model.SelectNumber(1);
    EXPECT_TRUE(model.AddCard({u"Short", u"@---------"}));
    model.SetSoundDial(true);
    Dialer finishing({nullptr, &sleeper, [](DialCountdown& c) { while (!c.Tick()) {} }, nullptr});
    EXPECT_EQ(model.Ok(finishing, 0), 0);
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"").View(), u"Short (@---------)");
    EXPECT_EQ(ProgramLog(device), std::vector<std::string>{"coredll.dll\tPlaySound\ttone177\t160"});
}

}  // namespace
