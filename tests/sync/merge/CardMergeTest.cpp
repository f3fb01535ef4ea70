// The value-by-value merge of a contact's cards and the upload that keeps what the contact record
// does not represent.
#include <gtest/gtest.h>

#include <string>

#include "sync/merge/CardMerge.h"

namespace carddav {
namespace {

VCard Card(const std::string& lines) {
    const std::optional<VCard> card =
        ParseCard("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:u1\r\n" + lines + "END:VCARD\r\n");
    EXPECT_TRUE(card.has_value());
    return Projection(*card);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Text(const VCard& card) { return UploadCard(nullptr, card); }

TEST(CardMergeTest, MergesValueByValueAgainstTheBase) {
    const std::string base = "N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Acme\r\nTEL;TYPE=CELL:+1555\r\n";
    struct Case {
        const char* what;
        std::string local, server;
        std::vector<std::string> present, absent;
        size_t conflicts;
    } cases[] = {
        {"a change here only takes the local value",
         base + "NOTE:here\r\n",
         base,
         {"NOTE:here", "ORG:Acme"},
         {},
         0},
        {"a change there only takes the server's value",
         base,
         "N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Beta\r\nTEL;TYPE=CELL:+1555\r\n",
         {"ORG:Beta"},
         {"ORG:Acme"},
         0},
        {"numbers added on both sides are all kept",
         base + "TEL;TYPE=WORK:+1666\r\n",
         base + "EMAIL:a@x.org\r\n",
         {"+1555", "+1666", "a@x.org"},
         {},
         0},
        {"a number removed here goes, one added there stays",
         "N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Acme\r\n",
         base + "TEL;TYPE=HOME:+1777\r\n",
         {"+1777"},
         {"+1555"},
         0},
        {"one value changed both ways takes the server's and keeps a conflict",
         "N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Local Co\r\nTEL;TYPE=CELL:+1555\r\n",
         "N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Server Co\r\nTEL;TYPE=CELL:+1555\r\n",
         {"ORG:Server Co"},
         {"Local Co"},
         1},
        {"the same change on both sides is no conflict",
         base + "NOTE:same\r\n",
         base + "NOTE:same\r\n",
         {"NOTE:same"},
         {},
         0},
    };
    const VCard baseCard = Card(base);
    for (const Case& c : cases) {
        const MergeResult merged = Merge(&baseCard, Card(c.local), Card(c.server));
        const std::string text = Text(merged.card);
        for (const std::string& part : c.present)
            EXPECT_TRUE(Has(text, part)) << c.what << ": " << part << "\n" << text;
        for (const std::string& part : c.absent)
            EXPECT_FALSE(Has(text, part)) << c.what << ": " << part << "\n" << text;
        EXPECT_EQ(merged.conflicts.size(), c.conflicts) << c.what;
    }
}

TEST(CardMergeTest, WithoutABaseKeepsEveryListValueAndNamesTheLocalSingleValue) {
    const MergeResult merged =
        Merge(nullptr, Card("N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:Here\r\nTEL;TYPE=CELL:+1555\r\n"),
              Card("N:Smith;Anna;;;\r\nFN:Anna Smith\r\nORG:There\r\nEMAIL:anna@x.org\r\n"));
    const std::string text = Text(merged.card);
    EXPECT_TRUE(Has(text, "+1555") && Has(text, "anna@x.org") && Has(text, "ORG:There")) << text;
    ASSERT_EQ(merged.conflicts.size(), 1u);
    EXPECT_EQ(merged.conflicts[0].property, "ORG");
    EXPECT_EQ(merged.conflicts[0].localValue, "Here");
    EXPECT_EQ(merged.conflicts[0].serverValue, "There");
}

TEST(CardMergeTest, AnUploadKeepsWhatTheRecordDoesNotRepresent) {
    const std::optional<VCard> base = ParseCard(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:server-uid\r\nN:Smith;Anna;;;\r\nFN:Anna Smith\r\n"
        "X-SOCIALPROFILE;TYPE=twitter;X-USER=anna:https://example.org/anna\r\n"
        "item7.X-FOO:bar\r\nitem7.X-ABLabel:foo\r\nTEL;TYPE=CELL:+1555\r\nEND:VCARD\r\n");
    ASSERT_TRUE(base.has_value());
    const std::string upload =
        UploadCard(&*base, Card("N:Smith;Anna;;;\r\nFN:Anna Smith\r\nTEL;TYPE=CELL:+1999\r\nNOTE:new\r\n"));
    EXPECT_TRUE(Has(upload, "UID:server-uid")) << upload;
    EXPECT_TRUE(Has(upload, "X-SOCIALPROFILE;TYPE=twitter;X-USER=anna:https://example.org/anna")) << upload;
    EXPECT_TRUE(Has(upload, ".X-FOO:bar")) << upload;
    EXPECT_TRUE(Has(upload, "+1999") && Has(upload, "NOTE:new")) << upload;
    EXPECT_FALSE(Has(upload, "+1555")) << upload;
    EXPECT_FALSE(Has(upload, "UID:u1")) << upload;
}

TEST(CardMergeTest, ProjectionsIgnoreSpellingGroupNamesAndOrder) {
    EXPECT_TRUE(SameValues(
        Card("N:Smith;Anna;;;\r\nitem1.EMAIL:a@x.org\r\nitem1.X-ABLabel:Club\r\nTEL;TYPE=CELL:+1555\r\n"),
        Card("TEL;type=cell:+1555\r\nN:Smith;Anna;;;\r\nitem9.EMAIL:a@x.org\r\nitem9.X-ABLABEL:Club\r\n")));
    EXPECT_FALSE(SameValues(Card("N:Smith;Anna;;;\r\n"), Card("N:Smith;Anne;;;\r\n")));
}

}  // namespace
}  // namespace carddav
