#include <gtest/gtest.h>

#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/dial/CallingCards.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/DialMethod.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/DialTestSupport.h"
#include "phone/dial/EditCardModel.h"
#include "phone/dial/EditDialModel.h"
#include "phone/menu/PhoneFields.h"
#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "store/contact/Contact.h"
#include "support/MessageBoxRecorder.h"

namespace {

std::u16string CardKey() { return std::u16string(settings::kRoot) + std::u16string(settings::kCallCard); }

std::vector<std::u16string> Shown(const CallingCards& cards) {
    std::vector<std::u16string> out;
    for (int i = 0; i < cards.Count(); ++i) out.emplace_back(cards.At(i).Shown().View());
    return out;
}

std::vector<std::pair<std::u16string, std::u16string>> Stored() {
    std::vector<std::pair<std::u16string, std::u16string>> out;
    for (const auto& [name, value] : plat::DeviceRegistry().Values(plat::Hive::CurrentUser, CardKey())) {
        out.emplace_back(name, value.AsString().value_or(u"<not text>"));
    }
    return out;
}

TEST(CallingCards, LoadsBuiltInFirstSkippingForeignValues) {
    TempDevice device;
    auto& registry = plat::DeviceRegistry();
    registry.SetValue(plat::Hive::CurrentUser, CardKey(), u"Office", plat::RegValue::String(u"9,@"));
    registry.SetValue(plat::Hive::CurrentUser, CardKey(), u"Broken", plat::RegValue::Dword(7));
    registry.SetValue(plat::Hive::CurrentUser, CardKey(), u"VOID CARD", plat::RegValue::String(u"1@"));
    registry.SetValue(plat::Hive::CurrentUser, CardKey(), u"Blank", plat::RegValue::String(u""));
    registry.SetValue(plat::Hive::CurrentUser, CardKey(), u"Long",
                      plat::RegValue::String(std::u16string(600, u'1') + u"@"));
    CallingCards cards;
    cards.Load();
    ASSERT_EQ(cards.Count(), 4);
    EXPECT_EQ(Shown(cards)[0], u"Void card");
    EXPECT_EQ(Shown(cards)[1], u"Office (9,@)");
    EXPECT_EQ(Shown(cards)[2], u"Blank");  // a card without format shows its name
    EXPECT_EQ(cards.At(3).format.GetLength(), CallingCards::kMaxStoredChars);
    EXPECT_EQ((CallingCard{Str(), u"*@"}.Shown().View()), u"(*@)");
    EXPECT_EQ(cards.FindShown(u"Office (9,@)"), 1);
    EXPECT_EQ(cards.FindName(u"office"), 1);
}

TEST(CallingCards, AddReplaceAndRemoveKeepTheSectionInStep) {
    TempDevice device;
    CallingCards cards;
    cards.Load();
    EXPECT_EQ(cards.Add({u"Home", u"1010@"}), 1);
    EXPECT_EQ(cards.Add({u"Home", u"1010@"}), 1);   // the same card again: selected, not doubled
    EXPECT_EQ(cards.Add({u"HOME", u"2020@"}), 1);   // one value name: the format changes
    EXPECT_EQ(cards.Add({u"", u"1@"}), -1);
    EXPECT_EQ(cards.Add({u"Trip", u""}), -1);
    EXPECT_EQ(cards.Add({u"void Card", u"1@"}), -1);
    EXPECT_EQ(cards.Add({u"Trip", u"00@"}), 2);
    EXPECT_EQ(Stored(), (std::vector<std::pair<std::u16string, std::u16string>>{{u"Home", u"2020@"},
                                                                                {u"Trip", u"00@"}}));
    EXPECT_TRUE(cards.Replace(2, {u"Travel", u"011@"}));
    EXPECT_EQ(Stored(), (std::vector<std::pair<std::u16string, std::u16string>>{{u"Home", u"2020@"},
                                                                                {u"Travel", u"011@"}}));
    EXPECT_TRUE(cards.Replace(2, {u"home", u"3@"}));  // renamed onto another card: one card left
    EXPECT_EQ(Shown(cards), (std::vector<std::u16string>{u"Void card", u"home (3@)"}));
    EXPECT_FALSE(cards.Replace(0, {u"X", u"1@"}));
    EXPECT_FALSE(cards.Remove(0));
    EXPECT_TRUE(cards.Remove(1));
    EXPECT_TRUE(Stored().empty());
    CallingCards reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Count(), 1);
}

TEST(EditCardModel, SampleAndTheChecksOfOk) {
    TempDevice device;
    MessageBoxRecorder boxes;
    EditCardModel model({Str(), Str()}, u"5551234");
    model.SetFormat(u"-@#");
    EXPECT_EQ(model.FormattedPhone().View(), u"551234#");
    EXPECT_FALSE(model.Ok());
    model.SetName(u"VOID card");
    EXPECT_FALSE(model.Ok());
    EXPECT_TRUE(model.SelectName());
    model.SetName(Str(std::u16string(300, u'n')));
    EXPECT_TRUE(model.Ok());
    EXPECT_EQ(model.Name().GetLength(), EditCardModel::kMaxChars);
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, u"\"Card Name\" is empty !");
    EXPECT_EQ(shown[1].text, u"\"Card Name\" is wrong !");
    EXPECT_EQ(shown[1].caption, u"Warning");
    EXPECT_EQ(shown[1].flags, plat::MB_OK | plat::MB_ICONWARNING);
}

Contact TwoNumbers() {
    Contact contact;
    contact.SetText(kFieldWorkPhone, u"+1 (555) 100-2000 ext");
    contact.SetText(kFieldMobile, u"555.300.4000");
    contact.SetDefaultTag(kTagMobile);
    contact.SetRecordId(9);
    return contact;
}

TEST(EditDialModel, ListsSelectionRebuildAndKeypad) {
    TempDevice device;
    CallingCards stored;
    stored.Load();
    stored.Add({u"Office", u"9,@"});
    SettingsStore::WriteString(settings::kSettings, settings::kDefCard, u"Office (9,@)");
    EditDialModel model;
    model.Open(TwoNumbers());
    EXPECT_EQ(model.Numbers(), (std::vector<Str>{u"+15551002000", u"5553004000"}));
    EXPECT_EQ(model.SelectedNumber(), 1);
    EXPECT_EQ(model.SelectedCard(), 1);
    EXPECT_TRUE(model.CardButtonsShown());
    EXPECT_EQ(model.DialString().View(), u"9,5553004000");
    model.SelectNumber(0);
    EXPECT_EQ(model.DialString().View(), u"9,+15551002000");
    model.SelectCard(0);
    EXPECT_FALSE(model.CardButtonsShown());
    EXPECT_EQ(model.DialString().View(), u"+15551002000");

    model.SetDialString(u"123");
    model.Press(EditDialModel::Key::Left);
    model.Press(u'#');
    EXPECT_EQ(model.DialString().View(), u"12#3");
    model.Press(EditDialModel::Key::Delete);
    model.Press(EditDialModel::Key::Delete);
    model.Press(EditDialModel::Key::Delete);
    model.Press(EditDialModel::Key::Delete);
    EXPECT_EQ(model.DialString().View(), u"3");
    model.Press(EditDialModel::Key::Right);
    model.Press(EditDialModel::Key::Right);
    model.Press(u'*');
    EXPECT_EQ(model.DialString().View(), u"3*");

    EXPECT_TRUE(model.AddCard({u"Trip", u"--@"}));
    EXPECT_EQ(model.SelectedCard(), 2);
    EXPECT_EQ(model.DialString().View(), u"5551002000");
    EXPECT_TRUE(model.DeleteCard());
    EXPECT_EQ(model.SelectedCard(), 1);
}

TEST(EditDialModel, OkRemembersTheCardAndDialsBySound) {
    TempDevice device;
    plat::ScopedTestClock clock;
    ClockSleeper sleeper(clock);
    Dialer dialer({nullptr, &sleeper, [](DialCountdown&) {}, nullptr});
    EditDialModel model;
    model.Open(TwoNumbers());
    EXPECT_EQ(model.SelectedCard(), 0);  // no DefCard stored
    model.AddCard({u"Short", u"@---------"});
    model.SetSoundDial(true);
    model.Ok(dialer, 0);
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"").View(), u"Short (@---------)");
    // The countdown screen closed without finishing: nothing is played.
    EXPECT_TRUE(LogLines(device).empty());
    Dialer finishing({nullptr, &sleeper, [](DialCountdown& c) { while (!c.Tick()) {} }, nullptr});
    EXPECT_EQ(model.Ok(finishing, 0), 0);
    EXPECT_EQ(LogLines(device), std::vector<std::string>{"coredll.dll\tPlaySound\ttone177\t160"});
}

}  // namespace
