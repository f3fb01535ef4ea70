#include <gtest/gtest.h>

#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "phone/PhoneTestSupport.h"
#include "phone/dial/CallingCards.h"
#include "phone/dial/DialCountdown.h"
#include "phone/dial/Dialer.h"
#include "phone/dial/EditDialModel.h"
#include "phone/menu/PhoneFields.h"
#include "platform/registry/Registry.h"
#include "store/contact/Contact.h"

namespace {

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
    for (const auto& [name, value] : values) plat::DeviceRegistry().SetValue(plat::Hive::CurrentUser, CardKey(), name, value);
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
    Contact contact;
    contact.SetText(kFieldWorkPhone, u"+1 (555) 100-2000 ext");
    contact.SetText(kFieldMobile, u"555.300.4000");
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
    SettingsStore::WriteString(settings::kSettings, settings::kDefCard, u"Office (9,@)");
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
    model.AddCard({u"Short", u"@---------"});
    model.SetSoundDial(true);
    Dialer finishing({nullptr, &sleeper, [](DialCountdown& c) { while (!c.Tick()) {} }, nullptr});
    EXPECT_EQ(model.Ok(finishing, 0), 0);
    EXPECT_EQ(SettingsStore::ReadString(settings::kSettings, settings::kDefCard, u"").View(), u"Short (@---------)");
    EXPECT_EQ(ProgramLog(device), std::vector<std::string>{"coredll.dll\tPlaySound\ttone177\t160"});
}

}  // namespace
