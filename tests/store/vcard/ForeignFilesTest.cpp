// Files as other programs write them: a phone's export (CR CR LF line ends, folded photos, one of
// them cut short, quoted-printable soft breaks, extra numbers), a desktop address book's cards
// (comments, its own property names for messaging, spouse, anniversary, department, further
// numbers, dates without a year) and a mail client's CSV export.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TestFiles.h"
#include "store/contact/ContactDate.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CardDate.h"
#include "store/vcard/ImportAhead.h"

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

using Reader = ReadStatus (*)(std::string_view, std::vector<ReadSkip>&, const ContactSink&);
const std::pair<const char*, Reader> kReaders[] = {{"in turn", ForEachImported},
                                                   {"ahead", ForEachImportedAhead}};

std::string Cards(int count) {
    std::string file;
    for (int i = 0; i < count; ++i)
        file += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card;" + std::to_string(i) + "\r\nEND:VCARD\r\n";
    return file;
}

// A large file is read one contact at a time: in file order, the reading stops when asked, and a
// card that gives nothing is reported, not handed on. Read ahead on a thread of its own, it gives
// the same, also when the reader is far ahead of the taker or the taker fails.
TEST(ForeignFiles, ContactsAreHandedOnOneAtATime) {
    const std::string file =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:One;Ann\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Two;Bo\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Three;Cy\r\nEND:VCARD\r\n";
    const std::string many = Cards(300);
    for (const auto& [name, read] : kReaders) {
        SCOPED_TRACE(name);
        for (const size_t stopAfter : {size_t{1}, size_t{2}, size_t{99}}) {
            std::vector<std::u16string> firsts;
            std::vector<ReadSkip> skipped;
            const ReadStatus status = read(file, skipped, [&](ImportedContact&& contact) {
                firsts.emplace_back(contact.contact.GetText(kFieldFirst).View());
                return firsts.size() < stopAfter;
            });
            EXPECT_TRUE(status.ok()) << stopAfter;
            const std::vector<std::u16string> all{u"Ann", u"Bo", u"Cy"};
            EXPECT_EQ(firsts, std::vector<std::u16string>(all.begin(),
                                                          all.begin() + std::min(stopAfter, all.size())));
            if (stopAfter > 2) {
                EXPECT_EQ(SkipTexts(skipped).size(), 1u) << "the empty card";
            }
        }
        std::vector<ReadSkip> skipped;
        bool called = false;
        EXPECT_FALSE(read("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n", skipped, [&](ImportedContact&&) {
                         return called = true;
                     }).ok());
        EXPECT_FALSE(called) << "a file that gives no contact hands on none";
        for (const int stopAt : {150, 301}) {
            int taken = 0;
            bool inOrder = true;
            EXPECT_TRUE(read(many, skipped, [&](ImportedContact&& contact) {
                            inOrder = inOrder && contact.contact.GetText(kFieldFirst) ==
                                                     Str::FromUtf8(std::to_string(taken));
                            return ++taken < stopAt;
                        }).ok());
            EXPECT_EQ(taken, std::min(stopAt, 300));
            EXPECT_TRUE(inOrder);
        }
        int taken = 0;
        EXPECT_THROW(read(many, skipped,
                          [&](ImportedContact&&) -> bool {
                              if (++taken == 10) throw std::runtime_error("the store is full");
                              return true;
                          }),
                     std::runtime_error);
        EXPECT_EQ(taken, 10) << "nothing is handed on after the taker failed";
    }
}

// Every file of the collection gives the same contacts and the same skips read ahead as read in
// turn.
TEST(ForeignFiles, ReadingAheadGivesWhatReadingInTurnGives) {
    for (const char* name :
         {"phone_crcrlf.vcf", "desktop_extensions.vcf", "phone21_qp.vcf", "v40_data_uri.vcf",
          "broken_base64.vcf", "broken_charset.vcf", "broken_missing_end.vcf", "google.csv", "outlook.csv",
          "mail_client.csv", "broken_quote.csv", "not_contacts.txt"}) {
        SCOPED_TRACE(name);
        const std::string bytes = DataFile(name);
        std::vector<std::vector<ImportedContact>> contacts(2);
        std::vector<std::vector<ReadSkip>> skipped(2);
        std::vector<std::string> statuses;
        for (size_t i = 0; i < 2; ++i) {
            statuses.push_back(kReaders[i]
                                   .second(bytes, skipped[i],
                                           [&](ImportedContact&& contact) {
                                               contacts[i].push_back(std::move(contact));
                                               return true;
                                           })
                                   .ToString());
        }
        EXPECT_EQ(statuses[0], statuses[1]);
        EXPECT_EQ(SkipTexts(skipped[0]), SkipTexts(skipped[1]));
        ASSERT_EQ(contacts[0].size(), contacts[1].size());
        for (size_t i = 0; i < contacts[0].size(); ++i) {
            EXPECT_TRUE(contacts[0][i].contact.Equals(contacts[1][i].contact)) << i;
            EXPECT_EQ(contacts[0][i].categories, contacts[1][i].categories) << i;
        }
    }
}
