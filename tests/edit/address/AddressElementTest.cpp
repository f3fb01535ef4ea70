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

TEST(AddressElement, FormatDecidesTheLinesAndPlaceholdersAndAnEmptyTableKeepsWhatTheElementHad) {
    const AddressFormatTable table(kRows, 49);
    AddressElement e;
    ASSERT_TRUE(e.SetFormat(0, table));
    e.SetParts({u"Hauptstr. 1", u"Berlin", u"BE", u"10115", u"DE"});
    EXPECT_EQ(Lines(e), (std::vector<int>{kSlotStreet, kSlotPostalCode, kSlotCity, kSlotCountry}));
    EXPECT_EQ(e.Placeholder(kSlotState), u"");
    ASSERT_TRUE(e.SetFormat(1, table));
    EXPECT_EQ(Lines(e), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(e.Parts()[kSlotState], u"BE");
    EXPECT_EQ(e.Placeholder(kSlotPostalCode), u"ZIP");
    // Typing the placeholder itself (case and all) leaves the part empty.
    e.LeaveLine(kSlotPostalCode, u"ZIP");
    e.LeaveLine(kSlotCity, u"city");
    e.LeaveLine(9, u"x");  // no such line
    EXPECT_EQ(std::pair(e.Parts()[kSlotPostalCode], e.Parts()[kSlotCity]), std::pair(Str(), Str(u"city")));
    // An index outside the table shows the default format and is kept as given.
    ASSERT_TRUE(e.SetFormat(7, table));
    EXPECT_EQ(std::pair(e.FormatIndex(), Lines(e).size()), std::pair(7, size_t{4}));
    // A table without rows changes nothing; an element that never had a format stays without one.
    const AddressFormatTable empty(std::span<const std::u16string_view>(), 1);
    EXPECT_TRUE(e.SetFormat(1, empty));
    EXPECT_EQ(std::pair(e.FormatIndex(), Lines(e).size()), std::pair(7, size_t{4}));
    AddressElement fresh;
    EXPECT_FALSE(fresh.SetFormat(0, empty));
    EXPECT_FALSE(fresh.HasFormat());
    EXPECT_TRUE(fresh.Lines().IsEmpty());
}

}  // namespace
