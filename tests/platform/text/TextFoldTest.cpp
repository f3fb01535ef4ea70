#include <gtest/gtest.h>

#include "platform/text/TextFold.h"
#include "platform/text/Utf.h"

using plat::FoldedText;
using plat::FoldText;
using plat::HasFoldedLetters;

// Latin and Greek lose their marks and the letters with a mark in their shape get their plain
// spelling, in either case; other scripts only fold case and stay composed; a text folds letter
// by letter, decomposed input included.
TEST(TextFold, FoldsLatinAndGreekMarksAndKeepsOtherScripts) {
    const struct {
        std::u16string text;
        std::u16string folded;
        bool foldedLetters;
    } cases[] = {
        {u"Müller", u"muller", true},
        {u"Schäfer", u"schafer", true},
        {u"Dvořáková", u"dvorakova", true},
        {u"Łódź", u"lodz", true},
        {u"Åberg", u"aberg", true},
        {u"Zoë", u"zoe", true},
        {u"Weiß", u"weiss", false},
        {u"STRAẞE", u"strasse", false},
        {u"Ærøe", u"aeroe", true},
        {u"ŒUVRE œuvre", u"oeuvre oeuvre", true},
        {u"Đorđe ĐORĐE", u"dorde dorde", true},
        {u"Þóra ÞÓRA", u"thora thora", true},
        {u"ØSTERGAARD", u"ostergaard", true},
        {u"Mu\u0308ller", u"muller", true},  // decomposed input
        {u"Ǿ", u"o", true},                  // a plain spelling under a mark
        {u"Çelik İnce", u"celik ince", true},
        {u"Άννα ΣΟΦΊΑ Νίκος", u"αννα σοφια νικοσ", true},
        {u"Йожеф ЁЛКИН", u"йожеф ёлкин", false},
        {u"И\u0306", u"й", false},  // a Cyrillic letter keeps its mark, composed
        {u"がくせい 王小明 김민준", u"がくせい 王小明 김민준", false},
        {u"Anna-Maria O'Neil 42", u"anna-maria o'neil 42", false},
        {u"\U0001F600\xD800x", u"\U0001F600\xD800x", false},  // pairs and a lone surrogate pass
        {u"", u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldText(c.text), c.folded) << plat::ToUtf8(c.text);
        EXPECT_EQ(HasFoldedLetters(c.text), c.foldedLetters) << plat::ToUtf8(c.text);
        EXPECT_EQ(FoldedText(c.text).Text(), c.folded) << plat::ToUtf8(c.text);
    }
}

// A range of the folded text maps back onto whole letters of the source, expanded letters and
// removed marks included.
TEST(TextFold, FoldedRangesMapBackOntoWholeLetters) {
    const struct {
        std::u16string source;
        std::u16string match;
        std::pair<size_t, size_t> range;
    } cases[] = {
        {u"Hans Müller", u"muller", {5, 11}},
        {u"Mu\u0308ller", u"mul", {0, 4}},
        {u"Mu\u0308ller", u"m", {0, 1}},
        {u"Weiß", u"weis", {0, 4}},  // half of "ss" lights the whole "ß"
        {u"Weiß", u"s", {3, 4}},
        {u"Ærøe", u"ro", {1, 3}},
        {u"Þóra", u"tho", {0, 2}},
        {u"a\U0001F600b", u"b", {3, 4}},
    };
    for (const auto& c : cases) {
        const FoldedText folded(c.source);
        const size_t from = folded.Text().find(c.match);
        ASSERT_NE(from, std::u16string::npos) << plat::ToUtf8(c.source);
        EXPECT_EQ(folded.SourceRange(from, from + c.match.size()), c.range) << plat::ToUtf8(c.source);
    }
}
