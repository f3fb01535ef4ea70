#include <gtest/gtest.h>

#include "TestFiles.h"
#include "store/contact/ContactFields.h"
#include "store/vcard/CsvReader.h"

TEST(CsvReader, QuotingSeparatorsAndLineBreaks) {
    const struct {
        std::string text;
        char16_t separator;
        std::vector<std::u16string> header;
        std::vector<std::vector<std::u16string>> rows;
        std::vector<int> lines;
    } cases[] = {
        {"a,b,c\r\n1,\"two, \"\"2\"\"\",3\r\n", u',', {u"a", u"b", u"c"},
         {{u"1", u"two, \"2\"", u"3"}}, {2}},
        {"\xef\xbb\xbf a ;b\n\"x\ny\";z\n\n;\nq\n", u';', {u"a", u"b"},
         {{u"x\ny", u"z"}, {u"q", u""}}, {2, 6}},
        {"a\tb\r1\t\"2\"tail\r", u'\t', {u"a", u"b"}, {{u"1", u"2tail"}}, {2}},
        {"\"a,b\";c\n1;2\n", u';', {u"a,b", u"c"}, {{u"1", u"2"}}, {2}},
        {"a,b,c\n1,,,,\n", u',', {u"a", u"b", u"c"}, {{u"1", u"", u""}}, {2}},
        {"a,b\n1\n", u',', {u"a", u"b"}, {{u"1", u""}}, {2}},
    };
    for (const auto& c : cases) {
        CsvTable table;
        ASSERT_TRUE(CsvReader::Read(c.text, table).ok()) << c.text;
        EXPECT_EQ(table.separator, c.separator) << c.text;
        EXPECT_EQ(table.header, c.header) << c.text;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.text;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].fields, c.rows[i]) << c.text;
            EXPECT_EQ(table.rows[i].line, c.lines[i]) << c.text;
        }
    }
}

TEST(CsvReader, DamagedTablesNameTheLine) {
    const struct {
        std::string text;
        std::string status;
    } cases[] = {
        {"\n\n", "line 1: no header row"},
        {"a,b\n1,2\n\"open,3\n4,5\n", "line 3: quoted field not closed"},
        {"a,b\n1,2,3\n", "line 2: 3 fields, but the header has 2"},
    };
    for (const auto& c : cases) {
        CsvTable table;
        EXPECT_EQ(CsvReader::Read(c.text, table).ToString(), c.status);
    }
}

TEST(CsvImport, DesktopExportWithQuotedCellsAndDefaults) {
    const auto contacts = ImportOk(DataFile("outlook.csv"));
    ASSERT_EQ(contacts.size(), 2u);
    const Contact& c = contacts[0].contact;
    ExpectFields(c, {{kFieldFirst, u"Robert"}, {kFieldLast, u"O'Neill"}, {kFieldCompany, u"Contoso Ltd."},
                     {kFieldWorkStreet, u"One Harbour Way\r\nBuilding 4"}, {kFieldWorkCity, u"Redmond"},
                     {kFieldHomeCity, u"Springfield"}, {kFieldWorkPhone, u"(425) 555-0100"},
                     {kFieldMobile, u"(206) 555-0177"}, {kFieldChildren, u"Tom, Jerry"},
                     {kFieldEmail1, u"robert@contoso.example"}, {kFieldSpouse, u"Linda O'Neill"}});
    EXPECT_EQ(Pairs(c.phones), (PairList{{u"Other", u"(206) 555-0188"}}));
    EXPECT_EQ(Pairs(c.others), (PairList{{u"Gender", u"Male"}, {u"Hobby", u"Golf"}}));
    EXPECT_EQ(c.GetNoteText(), u"Met at the \"Spring\" fair.\r\nCall after 5pm.");
    EXPECT_EQ(contacts[0].categories, (std::vector<Str>{u"Customers", u"VIP"}));
    // "0/0/00" dates and the columns' default values give nothing
    const Contact& nina = contacts[1].contact;
    ExpectFields(nina, {{kFieldFirst, u"Nina"}, {kFieldLast, u"Berg"}});
    EXPECT_TRUE(nina.others.IsEmpty());
    EXPECT_EQ(nina.GetBirthday(), 0u);
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
