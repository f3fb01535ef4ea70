// Files as other programs write them: a phone's export (CR CR LF line ends, folded photos, one of
// them cut short, quoted-printable soft breaks, extra numbers), a desktop address book's cards
// (comments, its own property names for messaging, spouse, anniversary, department, further
// numbers, dates without a year) and a mail client's CSV export.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "store/contact/ContactDate.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CardDate.h"

namespace {

uint64_t Date(const char16_t* text) {
    uint64_t date = 0;
    EXPECT_TRUE(ParseCardDate(text, date)) << Str(text).ToUtf8();
    return date;
}

}  // namespace

TEST(ForeignFiles, APhoneExportKeepsItsGoodCardsAndEveryNumber) {
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    EXPECT_TRUE(ImportContacts(DataFile("phone_crcrlf.vcf"), contacts, skipped).ok());
    EXPECT_EQ(SkipTexts(skipped),
              std::vector<std::string>{"line 5: PHOTO: damaged base64 data (property skipped)"});
    ASSERT_EQ(contacts.size(), 3u);
    ExpectFields(contacts[0].contact,
                 {{kFieldLast, u"Berg"}, {kFieldFirst, u"Nina"}, {kFieldMobile, u"+46 70 111 22 33"}});
    const Contact& lars = contacts[1].contact;
    ExpectFields(lars, {{kFieldLast, u"\u00c5str\u00f6m"},
                        {kFieldFirst, u"Lars"},
                        {kFieldMobile, u"+46 70 222 33 44"},
                        {kFieldHomePhone, u"+46 8 555 01 03"}});
    EXPECT_EQ(Pairs(lars.phones),
              (PairList{{u"Mobile", u"+46 70 222 33 45"}, {u"Video", u"+46 8 555 01 02"}}));
    EXPECT_EQ(lars.GetNoteText(), u"Call after six\r\nor on weekends");
    EXPECT_FALSE(contacts[2].contact.GetPicture().IsEmpty()) << "a folded photo after CR CR LF";
}

TEST(ForeignFiles, DesktopExtensionsMapToTheFieldsTheyMean) {
    const auto contacts = ImportOk(DataFile("desktop_extensions.vcf"));
    ASSERT_EQ(contacts.size(), 2u);
    const Contact& liv = contacts[0].contact;
    ExpectFields(liv, {{kFieldLast, u"Quist"},
                       {kFieldFirst, u"Olivia"},
                       {kFieldCompany, u"Nordlys AB"},
                       {kFieldDepartment, u"Research"},
                       {kFieldSpouse, u"Per Quist"},
                       {kFieldAssistant, u"Ada Berg"},
                       {kFieldIm1, u"Google Talk: liv.quist@chat.example"},
                       {kFieldIm2, u"Twitter: @livquist"}});
    EXPECT_EQ(Pairs(liv.phones), (PairList{{u"Callback", u"+46 8 555 03 99"}}));
    EXPECT_EQ(Pairs(liv.others), (PairList{{u"FN", u"Liv Quist"}})) << "the name the card was filed under";
    EXPECT_EQ(liv.GetAnniversary(), Date(u"2010-08-14"));
    EXPECT_EQ(std::pair(liv.GetBirthday(), IsYearlessDate(liv.GetBirthday())),
              std::pair(Date(u"--02-03"), true));
    const ImportedContact& tor = contacts[1];
    EXPECT_TRUE(tor.contact.others.IsEmpty()) << "FN is the name composed from N";
    EXPECT_TRUE(IsYearlessDate(tor.contact.GetBirthday()));
    EXPECT_EQ(tor.categories, (std::vector<Str>{u"Sailing", u"Rowing", u"Friends"}))
        << "no name holds , or ;";
}

TEST(ForeignFiles, AMailClientsTable) {
    const auto contacts = ImportOk(DataFile("mail_client.csv"));
    ASSERT_EQ(contacts.size(), 2u);
    const Contact& greta = contacts[0].contact;
    ExpectFields(greta, {{kFieldFirst, u"Greta"},
                         {kFieldLast, u"Lind"},
                         {kFieldEmail1, u"greta@lind.example"},
                         {kFieldEmail2, u"g.lind@mail.example"},
                         {kFieldIm1, u"greta.l"},
                         {kFieldWorkPhone, u"+46 8 555 04 00"},
                         {kFieldWorkFax, u"+46 8 555 04 01"},
                         {kFieldMobile, u"+46 70 444 55 66"},
                         {kFieldHomeStreet, u"Storgatan 1\r\nBox 12"},
                         {kFieldHomeCity, u"Uppsala"},
                         {kFieldHomePostalCode, u"75320"},
                         {kFieldHomeCountry, u"Sweden"},
                         {kFieldJobTitle, u"Editor"},
                         {kFieldDepartment, u"News"},
                         {kFieldCompany, u"Lind Media"},
                         {kFieldWeb, u"https://lind.example"}});
    EXPECT_EQ(greta.GetBirthday(), Date(u"--03-14")) << "month and day columns without a year";
    EXPECT_EQ(Pairs(greta.others), (PairList{{u"Custom 1", u"Likes tea"}}));
    EXPECT_EQ(greta.GetNoteText(), u"Met at the fair, 2019");
    const Contact& sven = contacts[1].contact;
    ExpectFields(sven, {{kFieldFirst, u"Sven"},
                        {kFieldLast, u"Ek"},
                        {kFieldEmail1, u"sven@ek.example"},
                        {kFieldHomePhone, u"+46 18 555 05 00"},
                        {kFieldWorkStreet, u"Kungsgatan 2"},
                        {kFieldWorkCity, u"Stockholm"},
                        {kFieldWorkPostalCode, u"11143"},
                        {kFieldWorkCountry, u"Sweden"}});
    EXPECT_EQ(sven.GetBirthday(), Date(u"1980-12-01"));
    // A column of numbers nobody knows by name, and year, month and day that make no date.
    const auto more =
        ImportOk("First Name,Mobile Phone 2,Birth Year,Birth Month\r\nAnn,555 0100,1980,13\r\n");
    EXPECT_EQ(Pairs(more[0].contact.phones), (PairList{{u"Mobile Phone 2", u"555 0100"}}));
    EXPECT_EQ(Pairs(more[0].contact.others), (PairList{{u"Birth Year", u"1980"}, {u"Birth Month", u"13"}}));
}

// A large file is read one contact at a time: in file order, the reading stops when asked, and a
// card that gives nothing is reported, not handed on.
TEST(ForeignFiles, ContactsAreHandedOnOneAtATime) {
    const std::string file =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:One;Ann\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Two;Bo\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Three;Cy\r\nEND:VCARD\r\n";
    for (const size_t stopAfter : {size_t{1}, size_t{2}, size_t{99}}) {
        std::vector<std::u16string> firsts;
        std::vector<ReadSkip> skipped;
        const ReadStatus status = ForEachImported(file, skipped, [&](ImportedContact&& contact) {
            firsts.emplace_back(contact.contact.GetText(kFieldFirst).View());
            return firsts.size() < stopAfter;
        });
        EXPECT_TRUE(status.ok()) << stopAfter;
        const std::vector<std::u16string> all{u"Ann", u"Bo", u"Cy"};
        EXPECT_EQ(firsts, std::vector<std::u16string>(all.begin(), all.begin() + std::min(stopAfter, all.size())));
        if (stopAfter > 2) {
            EXPECT_EQ(SkipTexts(skipped).size(), 1u) << "the empty card";
        }
    }
    std::vector<ReadSkip> skipped;
    bool called = false;
    EXPECT_FALSE(ForEachImported("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n", skipped, [&](ImportedContact&&) {
                     return called = true;
                 }).ok());
    EXPECT_FALSE(called) << "a file that gives no contact hands on none";
}
