#include <gtest/gtest.h>

#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/alphabet/AbcResources.h"
#include "support/TempDevice.h"

namespace {

AbcGroupTable TableOf(std::u16string_view text) {
    AbcDefinition d;
    EXPECT_TRUE(ParseAbcDefinition(text, d));
    AbcGroupTable table;
    table.Load(d);
    return table;
}

TEST(AbcGroupTable, GroupsAreLowerCasedWithEachCharacterOnce) {
    TempDevice device;
    const AbcGroupTable t = TableOf(u"AB/AaBb CD/cCdDa");
    ASSERT_EQ(t.GroupCount(), 2);
    EXPECT_EQ(t.Group(0), u"ab");
    EXPECT_EQ(t.Group(1), u"cda");
    EXPECT_EQ(t.Group(2), u"");
    // A character in two groups belongs to the first.
    EXPECT_EQ(t.GroupOf(u'a'), 0);
    EXPECT_EQ(t.GroupOf(u'd'), 1);
    EXPECT_EQ(t.GroupOf(u'A'), 0) << "in no group, but it folds to a";
    EXPECT_TRUE(t.IsMember(1, u'a'));
}

TEST(AbcGroupTable, GroupKeyEndsAtTheFirstCharacterInNoGroup) {
    TempDevice device;
    const AbcGroupTable english = TableOf(u"ABC/ABC DEF/DEF GHI/GHI JKL/JKL MNO/MNO PQRS/PQRS TUV/TUV WXYZ/WXYZ");
    const struct { std::u16string token, key; } cases[] = {
        {u"kate", u"jatd"}, {u"lana", u"jama"}, {u"alan", u"ajam"}, {u"an2na", u"am"},
        {u"2anna", u""},    {u"", u""},         {u"zz", u"ww"},     {u"ёж", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(english.GroupKey(c.token), c.key) << c.token.size();

    EXPECT_EQ(AbcGroupTable().GroupKey(u"anna"), u"");
}

TEST(AbcGroupTable, BuiltInTwoLineAlphabetGroupsLatinWithCyrillic) {
    TempDevice device;
    AbcGroupTable t;
    t.Load(LoadAbcDefinition(kAbcEnglishRussian, {}));
    ASSERT_EQ(t.GroupCount(), 8);
    EXPECT_EQ(t.GroupOf(u'б'), 0);
    EXPECT_EQ(t.GroupKey(u"бак"), u"aag");
    // Ё stands in the second Russian group, beside Е.
    t.Load(LoadAbcDefinition(kAbcRussian, {}));
    EXPECT_EQ(t.GroupOf(u'ё'), 1);
    EXPECT_EQ(t.GroupKey(u"ёж"), t.GroupKey(u"ед"));
}

AbcDefinition PolishDefinition() {
    AbcDefinition d;
    const auto text = DecodeAbcResource(FindAbcResource(kAbcResPolish));
    EXPECT_TRUE(text && ParseAbcDefinition(*text, d));
    return d;
}

// A letter that no group names counts in the group of the letter it folds to, in every built-in
// alphabet and a custom one; a letter a group names keeps its group, and a letter whose fold no
// group names (a Latin letter under the Russian alphabet, a Cyrillic one under a Latin alphabet)
// has none and ends a key.
TEST(AbcGroupTable, LettersInNoGroupCountInTheGroupOfTheirFold) {
    AbcDefinition custom;
    ASSERT_TRUE(ParseAbcDefinition(u"AOU/aou ÄÖÜ/äöü", custom));
    const struct {
        const char* alphabet;
        AbcDefinition definition;
        std::vector<std::pair<char16_t, int>> groups;
        std::u16string word, key;
    } cases[] = {
        {"English",
         LoadAbcDefinition(kAbcEnglish, {}),
         {{u'ü', 6},
          {u'ø', 4},
          {u'ł', 3},
          {u'é', 1},
          {u'ç', 0},
          {u'ß', 5},
          {u'æ', 0},
          {u'þ', 6},
          {u'ž', 7},
          {u'ё', -1}},
         u"müller",
         u"mtjjdp"},
        {"German",
         LoadAbcDefinition(kAbcGerman, {}),
         {{u'ä', 0}, {u'ö', 4}, {u'ß', 5}, {u'ü', 6}, {u'é', 1}, {u'ø', 4}, {u'ł', 3}},
         u"weiß",
         u"wdgp"},
        {"Polish",
         PolishDefinition(),
         {{u'ł', 3}, {u'ż', 7}, {u'ó', 4}, {u'ü', 6}, {u'ß', 5}},
         u"łódź",
         u"jmdw"},
        {"Russian",
         LoadAbcDefinition(kAbcRussian, {}),
         {{u'ё', 1}, {u'й', 2}, {u'ü', -1}, {u'ї', -1}},
         u"ёж",
         u"дд"},
        {"English/Russian",
         LoadAbcDefinition(kAbcEnglishRussian, {}),
         {{u'ü', 6}, {u'é', 1}, {u'ё', 1}, {u'й', 2}},
         u"ærøe",
         u"apmd"},
        {"custom", custom, {{u'ü', 1}, {u'ö', 1}, {u'ú', 0}, {u'õ', 0}, {u'b', -1}}, u"üúb", u"äa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alphabet);
        AbcGroupTable table;
        table.Load(c.definition);
        for (const auto& [letter, group] : c.groups) {
            EXPECT_EQ(table.GroupOf(letter), group) << static_cast<int>(letter);
            for (int g = 0; g < table.GroupCount(); ++g) EXPECT_EQ(table.IsMember(g, letter), g == group);
        }
        EXPECT_EQ(table.GroupKey(c.word), c.key);
    }
}

}  // namespace
