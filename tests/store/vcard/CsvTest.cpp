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
         {{u"x\ny", u"z"}, {u"q"}}, {2, 6}},
        {"a\tb\r1\t\"2\"tail\r", u'\t', {u"a", u"b"}, {{u"1", u"2tail"}}, {2}},
        {"\"a,b\";c\n1;2\n", u';', {u"a,b", u"c"}, {{u"1", u"2"}}, {2}},
        {"a,b,c\n1,,,,\n", u',', {u"a", u"b", u"c"}, {{u"1"}}, {2}},
        {"a,b\n1\n", u',', {u"a", u"b"}, {{u"1"}}, {2}},
        {"a,b,c\n,2\n", u',', {u"a", u"b", u"c"}, {{u"", u"2"}}, {2}},
    };
    for (const auto& c : cases) {
        CsvTable table;
        std::vector<ReadSkip> skipped;
        ASSERT_TRUE(CsvReader::Read(c.text, table, skipped).ok()) << c.text;
        EXPECT_TRUE(skipped.empty()) << c.text;
        EXPECT_EQ(table.separator, c.separator) << c.text;
        EXPECT_EQ(table.header, c.header) << c.text;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.text;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].fields, c.rows[i]) << c.text;
            EXPECT_EQ(table.rows[i].line, c.lines[i]) << c.text;
        }
    }
}

// A damaged row is left out and named; a quote that is never closed takes the rest of the file
// with it. Only a file without a header fails.
TEST(CsvReader, DamagedRowsAreSkippedAndNamed) {
    const struct {
        std::string text;
        std::string status;
        size_t rows;
        std::vector<std::string> skipped;
    } cases[] = {
        {"\n\n", "line 1: no header row", 0, {}},
        {"\"a,b\n1,2\n", "line 1: quoted field not closed", 0, {}},
        {"a,b\n1,2\n\"open,3\n4,5\n", "ok", 1,
         {"line 3: quoted field not closed (the rest of the file is in it) (row skipped)"}},
        {"a,b\n1,2,3\n4,5\n", "ok", 1, {"line 2: 3 fields, but the header has 2 (row skipped)"}},
        {std::string("a,b\n1,5\0" "5\n4,5\n", 14), "ok", 1, {"line 2: a NUL character inside a field (row skipped)"}},
        {"a,b\r\r\n1,\"x\r\r\ny\"\r\r\n2,3\r\r\n", "ok", 2, {}},
    };
    for (const auto& c : cases) {
        CsvTable table;
        std::vector<ReadSkip> skipped;
        EXPECT_EQ(CsvReader::Read(c.text, table, skipped).ToString(), c.status) << c.text;
        EXPECT_EQ(table.rows.size(), c.rows) << c.text;
        EXPECT_EQ(SkipTexts(skipped), c.skipped) << c.text;
    }
    CsvTable table;
    std::vector<ReadSkip> skipped;
    ASSERT_TRUE(CsvReader::Read("a,b\r\r\n1,\"x\r\r\ny\"\r\r\n", table, skipped).ok());
    EXPECT_EQ(table.rows.at(0).fields, (std::vector<std::u16string>{u"1", u"x\r\ny"}))
        << "CR CR LF is one break";
}

// A table of 10,000 columns whose rows fill a few: each row keeps what it holds, and its contact
// takes the columns it has.
TEST(CsvReader, ShortRowsOfAWideTableCostWhatTheyHold) {
    std::string text = "Last Name";
    for (int i = 1; i < 10000; ++i) text += ",Column " + std::to_string(i);
    for (int i = 0; i < 2000; ++i) text += "\nRow" + std::to_string(i) + ",x";
    CsvTable table;
    std::vector<ReadSkip> skipped;
    ASSERT_TRUE(CsvReader::Read(text, table, skipped).ok());
    ASSERT_EQ(table.rows.size(), 2000u);
    size_t fields = 0;
    for (const CsvRow& row : table.rows) fields += row.fields.capacity();
    EXPECT_EQ(fields, 2 * table.rows.size());
    const auto contacts = ImportOk("Last Name,Phone,Notes\nSolo\nPair,555 0101\n");
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(contacts[0].contact.GetText(kFieldLast), Str(u"Solo"));
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

// A file that gives no contact fails: one that is neither kind, an empty one, one whose every card
// is skipped or gives no value; a damaged file with good cards gives those.
TEST(SampleFiles, FilesThatGiveNoContactFailAndDamagedOnesGiveTheirGoodCards) {
    EXPECT_EQ(ImportError(DataFile("not_contacts.txt")),
              "line 1: neither a vCard (no BEGIN:VCARD) nor a contacts table (no known column in the header)");
    EXPECT_EQ(ImportError(""), "line 1: the file is empty");
    EXPECT_EQ(ImportError("\r\n \r\n"), "line 1: the file is empty");
    EXPECT_EQ(ImportError("# nothing but a comment\r\n"), "line 1: the file is empty");
    EXPECT_EQ(ImportError(DataFile("broken_charset.vcf")), "line 3: nothing could be read");
    EXPECT_EQ(ImportError("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n"), "line 1: nothing could be read");
    EXPECT_EQ(ImportError("First Name,Last Name\r\n"), "line 1: no contact in the file");
    const struct {
        std::string file;
        std::vector<std::string> names;
        std::vector<std::string> skipped;
    } cases[] = {
        {"broken_missing_end.vcf", {"Card"}, {"line 6: BEGIN:VCARD without END:VCARD (card skipped)"}},
        {"broken_base64.vcf", {"Photo"}, {"line 4: PHOTO: damaged base64 data (property skipped)"}},
        {"broken_quote.csv", {"Anna"},
         {"line 3: quoted field not closed (the rest of the file is in it) (row skipped)"}},
        {"broken_charset.vcf", {},
         {"line 3: N: unknown character set \"X-NO-SUCH-SET\" (property skipped)",
          "line 1: no value in the card could be read (card skipped)"}},
    };
    for (const auto& c : cases) {
        std::vector<ImportedContact> contacts;
        std::vector<ReadSkip> skipped;
        (void)ImportContacts(DataFile(c.file), contacts, skipped);  // what was read is checked below
        std::vector<std::string> names;
        for (const ImportedContact& imported : contacts)
            names.push_back(imported.contact.GetText(kFieldFirst).ToUtf8());
        EXPECT_EQ(names, c.names) << c.file;
        EXPECT_EQ(SkipTexts(skipped), c.skipped) << c.file;
    }
}
