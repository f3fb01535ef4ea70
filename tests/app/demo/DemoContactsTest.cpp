#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/cli/DemoContacts.h"
#include "store/contact/ContactFields.h"

namespace {

bool AnyUnitIn(const Str& text, char16_t low, char16_t high) {
    for (const char16_t c : text.View()) {
        if (c >= low && c <= high) return true;
    }
    return false;
}

bool NameIn(const Contact& contact, char16_t low, char16_t high) {
    return AnyUnitIn(contact.GetText(kFieldFirst), low, high) || AnyUnitIn(contact.GetText(kFieldLast), low, high);
}

bool HasCategory(const DemoContact& demo, std::u16string_view name) {
    for (const Str& category : demo.categories) {
        if (category.View() == name) return true;
    }
    return false;
}

}  // namespace

TEST(DemoContacts, TheSameContactsEveryTimeAndSmallerCountsArePrefixes) {
    const std::vector<DemoContact> all = DemoContacts::Generate();
    const std::vector<DemoContact> again = DemoContacts::Generate();
    const std::vector<DemoContact> few = DemoContacts::Generate(40);
    ASSERT_EQ(all.size(), static_cast<size_t>(DemoContacts::kCount));
    ASSERT_EQ(std::pair(again.size(), few.size()), std::pair(all.size(), size_t{40}));
    std::set<std::u16string> keys;
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(all[i].contact.Equals(again[i].contact)) << i;
        EXPECT_EQ(all[i].categories, again[i].categories) << i;
        if (i < few.size()) {
            EXPECT_TRUE(all[i].contact.Equals(few[i].contact)) << i;
        }
        EXPECT_FALSE(all[i].contact.GetDisplayName().IsEmpty()) << i;
        EXPECT_TRUE(keys.insert(DemoContacts::Key(all[i].contact)).second) << "key repeated at " << i;
    }
}

// Each kind of value a user of the demo device should meet, with the least number of contacts
// that carry it.
TEST(DemoContacts, EveryKindOfValueIsThere) {
    const std::vector<DemoContact> all = DemoContacts::Generate();
    const struct {
        const char* what;
        int least;
        std::function<bool(const DemoContact&)> has;
    } kinds[] = {
        {"Latin name with diacritics", 40, [](const DemoContact& d) { return NameIn(d.contact, 0xC0, 0x24F); }},
        {"Cyrillic name", 10, [](const DemoContact& d) { return NameIn(d.contact, 0x400, 0x4FF); }},
        {"CJK name", 5, [](const DemoContact& d) { return NameIn(d.contact, 0x4E00, 0x9FFF); }},
        {"company only", 5, [](const DemoContact& d) { return d.contact.GetText(kFieldLast).IsEmpty(); }},
        {"mobile", 150, [](const DemoContact& d) { return !d.contact.GetText(kFieldMobile).IsEmpty(); }},
        {"home address", 60, [](const DemoContact& d) { return !d.contact.GetText(kFieldHomeCity).IsEmpty(); }},
        {"birthday", 60, [](const DemoContact& d) { return d.contact.GetBirthday() != 0; }},
        {"note", 40, [](const DemoContact& d) { return !d.contact.GetNoteText().IsEmpty(); }},
        {"further values", 20, [](const DemoContact& d) { return !d.contact.ListsEmpty(); }},
        {"48 x 48 picture", 20, [](const DemoContact& d) { return d.contact.GetPicture().Width() == 48; }},
        {"Business", 40, [](const DemoContact& d) { return HasCategory(d, u"Business"); }},
        {"no category", 20, [](const DemoContact& d) { return d.categories.empty(); }},
    };
    for (const auto& kind : kinds) {
        int count = 0;
        for (const DemoContact& demo : all) count += kind.has(demo) ? 1 : 0;
        EXPECT_GE(count, kind.least) << kind.what;
    }
}

TEST(DemoContacts, NumbersOfManyCountriesInDiallableForm) {
    std::set<std::u16string> prefixes;
    for (const DemoContact& demo : DemoContacts::Generate()) {
        for (const int field : {kFieldMobile, kFieldWorkPhone, kFieldHomePhone}) {
            const std::u16string_view number = demo.contact.GetText(field).View();
            if (number.empty()) continue;
            ASSERT_EQ(number[0], u'+');
            EXPECT_EQ(number.find_first_not_of(u"+0123456789 -"), std::u16string_view::npos);
            prefixes.insert(std::u16string(number.substr(0, number.find(u' '))));
        }
    }
    EXPECT_GE(prefixes.size(), 10u);
}

// The SIM card's entries are what a SIM card holds, a name and one mobile number, marked as from
// the card; none of the sample contacts is, and every key stays distinct.
TEST(DemoContacts, TheSimCardHoldsNamesWithOneMobileNumberBesideTheSamples) {
    const std::vector<DemoContact> all = DemoContacts::Everything();
    const std::vector<DemoContact> sim = DemoContacts::SimEntries();
    ASSERT_EQ(all.size(), DemoContacts::Generate().size() + sim.size());
    ASSERT_GE(sim.size(), 3u);
    std::set<std::u16string> keys;
    for (size_t i = 0; i < all.size(); ++i) {
        const DemoContact& demo = all[i];
        EXPECT_TRUE(keys.insert(DemoContacts::Key(demo.contact)).second) << "key repeated at " << i;
        const bool onCard = i >= all.size() - sim.size();
        ASSERT_EQ(demo.contact.IsFromSim(), onCard) << i;
        if (!onCard) continue;
        Contact expected;
        expected.SetText(kFieldFirst, demo.contact.GetText(kFieldFirst));
        expected.SetText(kFieldMobile, demo.contact.GetText(kFieldMobile));
        EXPECT_TRUE(demo.contact.Equals(expected)) << "only a name and a mobile number at " << i;
        EXPECT_FALSE(expected.GetText(kFieldFirst).IsEmpty() || expected.GetText(kFieldMobile).IsEmpty())
            << i;
        EXPECT_TRUE(demo.categories.empty()) << i;
    }
}
