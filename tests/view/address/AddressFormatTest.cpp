#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "support/TempDevice.h"
#include "view/address/AddressFormatTable.h"

namespace {

struct RowCase {
    const char16_t* row;
    bool ok;
    uint32_t code;
    const char16_t* name;
    std::vector<int> positions;
};

TEST(AddressFormat, RowsParseAndValidate) {
    const RowCase cases[] = {
        {u"049 Germany,0 Street,2 City,,1 PostalCode,3 Country", true, 49, u"Germany", {0, 2, -1, 1, 3}},
        {u"999 Nowhere", true, 999, u"Nowhere", {-1, -1, -1, -1, -1}},
        {u"12 Short,0 A", true, 12, u"hort", {0, -1, -1, -1, -1}},
        {u"001 X,0 Street,0 City", false, 0, nullptr, {}},     // a position twice
        {u"001 X,0 Street,2 City", false, 0, nullptr, {}},     // 1 missing
        {u"001 X,1 Street", false, 0, nullptr, {}},            // above n - 1
        {u"001 X,x Street", false, 0, nullptr, {}},            // no digit
        {u"001 ,0 Street", false, 0, nullptr, {}},             // empty name
        {u"001 ", false, 0, nullptr, {}},                      // shorter than 5
    };
    for (const RowCase& c : cases) {
        AddressFormat f;
        ASSERT_EQ(ParseAddressRow(c.row, f), c.ok) << std::u16string_view(c.row).size();
        if (!c.ok) continue;
        EXPECT_EQ(std::pair(f.code, f.name), std::pair(c.code, Str(c.name)));
        EXPECT_EQ(std::vector<int>(f.positions.begin(), f.positions.end()), c.positions);  // the written order: the view model's lines
    }
}

TEST(AddressFormatTable, ShippedRowsAllParseAndTheCountryChoosesTheDefault) {
    const struct { const char* locale; const char16_t* country; } cases[] = {{"en_US", u"United States"}, {"de_DE", u"Germany"}};
    for (const auto& c : cases) {
        TempDevice device(TempDevice::Options{.locale = c.locale});
        const AddressFormatTable& table = AddressFormatTable::Instance();
        ASSERT_EQ(table.GetSize(), kAddressRowCount);
        EXPECT_EQ(table.FormatAt(table.DefaultFormat())->name, c.country) << c.locale;
    }
}

TEST(AddressFormatTable, BadRowsShiftIndicesAndOddIndicesFallBack) {
    const std::u16string_view rows[] = {
        u"033 France,0 Street,2 City,,1 PostalCode,3 Country",
        u"000 Broken,5 Street",
        u"001 United States,0 Street,1 City,2 State,3 ZIP,4 Country",
        u"967 Yemen,0 Street,2 City,,1 PostalCode,3 Country",
    };
    const struct { uint32_t country; int defaultIndex; } countries[] = {{1, 1}, {33, 0}, {0, 1}, {0xFFFFFFFF, 2}, {44, 2}};
    for (const auto& c : countries) {
        const AddressFormatTable table(rows, c.country);
        ASSERT_EQ(table.GetSize(), 3);
        EXPECT_EQ(table.DefaultFormat(), c.defaultIndex) << c.country;
    }
    const AddressFormatTable table(rows, 33);
    EXPECT_EQ(table.FormatAt(1)->name, u"United States");
    EXPECT_TRUE(table.FormatAt(3) == nullptr && table.FormatAt(-1) == nullptr);
    EXPECT_EQ(table.FormatOrDefault(99)->name, u"France");

    const AddressFormatTable empty(std::span<const std::u16string_view>(rows, 0), 1);
    EXPECT_EQ(std::tuple(empty.DefaultFormat(), empty.FormatOrDefault(0) == nullptr, empty.WriteLine(AddressParts{u"S"}, 0).has_value()),
              std::tuple(-1, true, false));
}

}  // namespace
