#include <gtest/gtest.h>

#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
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
    EXPECT_EQ(t.GroupOf(u'A'), -1);
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

}  // namespace
