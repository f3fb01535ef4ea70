#include <gtest/gtest.h>

#include <vector>

#include "edit/address/AddressElement.h"
#include "view/address/AddressFormatTable.h"

namespace {

const std::u16string_view kRows[] = {
    u"049 Germany,0 Street,2 City,,1 PostalCode,3 Country",
    u"001 United States,0 Street,1 City,2 State,3 ZIP,4 Country",
};

std::vector<int> Lines(const AddressElement& e) { return {e.Lines().begin(), e.Lines().end()}; }

TEST(AddressElement, FormatDecidesTheLinesAndPartsSurviveASwitch) {
    const AddressFormatTable table(kRows, 49);
    AddressElement e;
    ASSERT_TRUE(e.SetFormat(0, table));
    e.SetParts({u"Hauptstr. 1", u"Berlin", u"BE", u"10115", u"DE"});
    EXPECT_EQ(Lines(e), (std::vector<int>{kSlotStreet, kSlotPostalCode, kSlotCity, kSlotCountry}));
    EXPECT_EQ(e.Placeholder(kSlotPostalCode), u"PostalCode");
    EXPECT_EQ(e.Placeholder(kSlotState), u"");
    ASSERT_TRUE(e.SetFormat(1, table));
    EXPECT_EQ(Lines(e), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(e.Parts()[kSlotState], u"BE");
    EXPECT_EQ(e.Placeholder(kSlotPostalCode), u"ZIP");
    // An index outside the table shows the default format and is kept as given.
    ASSERT_TRUE(e.SetFormat(7, table));
    EXPECT_EQ(e.FormatIndex(), 7);
    EXPECT_EQ(Lines(e).size(), 4u);
}

TEST(AddressElement, TypingThePlaceholderStoresAnEmptyPart) {
    const AddressFormatTable table(kRows, 1);
    AddressElement e;
    e.SetFormat(1, table);
    const struct { int slot; const char16_t* typed; const char16_t* stored; } cases[] = {
        {kSlotCity, u"City", u""},      {kSlotCity, u"city", u"city"}, {kSlotCity, u"Boston", u"Boston"},
        {kSlotState, u"", u""},         {kSlotPostalCode, u"ZIP", u""}, {9, u"x", nullptr},
    };
    for (const auto& c : cases) {
        e.LeaveLine(c.slot, c.typed);
        if (c.stored) {
            EXPECT_EQ(e.Parts()[c.slot], c.stored) << c.slot;
        }
    }
}

TEST(AddressElement, EmptyTableKeepsWhatTheElementHad) {
    const AddressFormatTable table(kRows, 1);
    const AddressFormatTable empty(std::span<const std::u16string_view>(), 1);
    AddressElement e;
    EXPECT_FALSE(e.SetFormat(0, empty));
    EXPECT_FALSE(e.HasFormat());
    EXPECT_TRUE(e.Lines().IsEmpty());
    e.SetFormat(0, table);
    EXPECT_TRUE(e.SetFormat(1, empty));
    EXPECT_EQ(e.FormatIndex(), 0);
    EXPECT_EQ(Lines(e).size(), 4u);
}

}  // namespace
