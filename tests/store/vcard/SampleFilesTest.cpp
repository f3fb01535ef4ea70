#include <gtest/gtest.h>

#include "TestFiles.h"
#include "store/contact/ContactFields.h"

using PairList = std::vector<std::pair<std::u16string, std::u16string>>;

namespace {

constexpr uint64_t kDay = 864'000'000'000;

}  // namespace

TEST(SampleFiles, CardsWithLabelledItemGroups) {
    const auto contacts = ImportOk(DataFile("apple_groups.vcf"));
    ASSERT_EQ(contacts.size(), 2u);
    const Contact& c = contacts[0].contact;
    ExpectFields(c, {{kFieldLast, u"Lindqvist"}, {kFieldFirst, u"Maja"}, {kFieldMiddle, u"Elin"},
                     {kFieldTitle, u"Dr."}, {kFieldSuffix, u"PhD"},
                     {kFieldCompany, u"Nordvik Shipping AB"}, {kFieldDepartment, u"Logistics"},
                     {kFieldJobTitle, u"Head of Planning"},
                     {kFieldEmail1, u"maja.lindqvist@nordvik.example"}, {kFieldEmail2, u"maja@home.example"},
                     {kFieldMobile, u"+46 70 123 45 67"}, {kFieldWorkPhone, u"+46 8 555 010 00"},
                     {kFieldHomeStreet, u"Storgatan 12\r\nLgh 1102"}, {kFieldHomeCity, u"Stockholm"},
                     {kFieldHomePostalCode, u"114 51"}, {kFieldHomeCountry, u"Sweden"},
                     {kFieldWeb, u"https://nordvik.example/maja"}, {kFieldSpouse, u"Johan Lindqvist"}});
    EXPECT_EQ(Pairs(c.phones), (PairList{{u"Reception", u"+46 8 555 010 99"}}));
    EXPECT_EQ(Pairs(c.people), (PairList{{u"Mother", u"Astrid"}}));
    EXPECT_EQ(c.GetAnniversary(), uint64_t{149'182} * kDay);
    ASSERT_EQ(c.dates.GetSize(), 1);
    EXPECT_TRUE((c.dates[0] == CustDate{u"First day at Nordvik", uint64_t{151'453} * kDay}));
    EXPECT_EQ(c.GetBirthday(), uint64_t{1175} * kDay);  // 21 March, no year
    EXPECT_EQ(c.GetNoteText(), u"Prefers e-mail, not calls.\r\nSpeaks Swedish and German.");
    EXPECT_EQ(contacts[0].categories, (std::vector<Str>{u"Work", u"Shipping"}));
    EXPECT_EQ(Pairs(c.others), (PairList{{u"X-SOCIALPROFILE", u"https://social.example/majal"}}));
    EXPECT_EQ(c.GetPicture().Width(), 2);
    EXPECT_EQ(c.GetPicture().Bitmap().rgb[0], 255);

    const Contact& company = contacts[1].contact;
    ExpectFields(company, {{kFieldCompany, u"Nordvik Shipping AB"}, {kFieldCompanyPhone, u"+46 8 555 010 00"},
                           {kFieldWorkFax, u"+46 8 555 010 01"}});
    EXPECT_TRUE(company.others.IsEmpty());
}

// Damaged cards and tables are refused by their readers' own tests; here the import tells a file
// that is neither kind, or empty, from those.
TEST(SampleFiles, ForeignAndEmptyFilesAreRefused) {
    EXPECT_EQ(ImportError(DataFile("not_contacts.txt")),
              "line 1: neither a vCard (no BEGIN:VCARD) nor a contacts table (no known column in the header)");
    EXPECT_EQ(ImportError(DataFile("broken_missing_end.vcf")), "line 6: BEGIN:VCARD without END:VCARD");
    EXPECT_EQ(ImportError(""), "line 1: the file is empty");
    EXPECT_EQ(ImportError("\r\n \r\n"), "line 1: the file is empty");
}
