#include <gtest/gtest.h>

#include <vector>

#include "index/alphabet/AbcDefinition.h"

namespace {

std::vector<std::u16string> Items(const Array<Str>& items) {
    std::vector<std::u16string> out;
    for (const Str& s : items) out.emplace_back(s.View());
    return out;
}

struct ParseCase {
    const char* what;
    std::u16string text;
    std::vector<std::u16string> labels, seconds, groups;
    bool hasSecond;
};

TEST(AbcDefinition, ParsesEntriesAndDropsWhatCannotBeUsed) {
    const ParseCase cases[] = {
        {"plain", u"ABC/abc DEF/def", {u"ABC", u"DEF"}, {u"", u""}, {u"abc", u"def"}, false},
        {"backslash and repeated blanks", u"  AB\\ab    CD/cd  ", {u"AB", u"CD"}, {u"", u""},
         {u"ab", u"cd"}, false},
        {"caret splits the label", u"ABC^АБВ/abcабв X/x", {u"ABC", u"X"}, {u"АБВ", u""},
         {u"abcабв", u"x"}, true},
        {"caret with nothing after it", u"ABC^/abc", {u"ABC"}, {u""}, {u"abc"}, false},
        {"separators dropped from members, first slash splits", u"A/a.b-c/d,e", {u"A"}, {u""},
         {u"abcde"}, false},
        {"empty label, members or separators only are ignored",
         u"/abc ABC/ X/.,; ^Y/y Z/z", {u"Z"}, {u""}, {u"z"}, false},
        {"entry without a slash is ignored", u"ABC DEF/def", {u"DEF"}, {u""}, {u"def"}, false},
    };
    for (const ParseCase& c : cases) {
        AbcDefinition d;
        ASSERT_TRUE(ParseAbcDefinition(c.text, d)) << c.what;
        EXPECT_EQ(Items(d.labels), c.labels) << c.what;
        EXPECT_EQ(Items(d.secondLines), c.seconds) << c.what;
        EXPECT_EQ(Items(d.groups), c.groups) << c.what;
        EXPECT_EQ(d.hasSecondLines, c.hasSecond) << c.what;
    }
}

TEST(AbcDefinition, TextWithoutUsableEntryDoesNotParse) {
    const std::u16string bad[] = {u"", u"ABC", u"/abc", u"A/.,;:", std::u16string(3, u'\0')};
    for (const std::u16string& text : bad) {
        AbcDefinition d;
        d.labels.Add(u"stale");
        EXPECT_FALSE(ParseAbcDefinition(text, d));
        EXPECT_EQ(d.labels.GetSize(), 0);
        EXPECT_TRUE(d.source.IsEmpty());
    }
}

}  // namespace
