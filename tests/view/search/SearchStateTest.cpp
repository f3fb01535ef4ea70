#include <gtest/gtest.h>

#include <tuple>

#include "index/alphabet/AbcChoice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "support/TempDevice.h"
#include "view/search/SearchState.h"

namespace {

class SearchStateTest : public ::testing::Test {
protected:
    SearchStateTest() : english(LoadAbcDefinition(kAbcEnglish, {})) { table.Load(english); }

    void Press(std::initializer_list<int> groups) {
        for (int g : groups) ASSERT_TRUE(state.PressGroup(g, english));
    }

    TempDevice device;
    AbcDefinition english;
    AbcGroupTable table;
    SearchState state;
};

TEST_F(SearchStateTest, TypedTextIsTrimmedAndOnlyAChangeRebuilds) {
    EXPECT_TRUE(state.OnTextChanged(u"  an "));
    EXPECT_EQ(state.SearchText(), u"an");
    EXPECT_FALSE(state.OnTextChanged(u"an  "));
    EXPECT_TRUE(state.OnTextChanged(u" \t"));
    EXPECT_EQ(state.SearchText(), u"");
    EXPECT_FALSE(state.OnTextChanged(u""));
}

TEST_F(SearchStateTest, PressedGroupsShowTheirFirstLettersAndTheLastOneRemovedReturnsToNormalMode) {
    EXPECT_FALSE(state.Backspace(0, 0, 0, english).has_value()) << "normal mode: the box handles the key";
    (void)state.OnTextChanged(u"typed");  // the state is checked below
    Press({3, 0, 2});
    EXPECT_FALSE(state.PressGroup(8, english) || state.PressGroup(-1, english));
    EXPECT_EQ(std::tuple(state.GetMode(), state.BoxText(), state.SearchText(), state.GroupQuery(table)),
              std::tuple(SearchState::Mode::Alphabet, Str(u"J-A-G"), Str(), Str(u"jag")));
    EXPECT_TRUE(state.OnTextChanged(u""));  // clearing the box goes back to the whole list
    EXPECT_EQ(state.GetMode(), SearchState::Mode::Normal);

    Press({1, 4});
    const auto all = state.Backspace(3, 0, 3, english);
    ASSERT_TRUE(all && all->removed);
    EXPECT_EQ(std::pair(state.GetMode(), state.BoxText()), std::pair(SearchState::Mode::Normal, Str()));
    Press({1});
    EXPECT_TRUE(state.RemoveLastGroup(english));
    EXPECT_FALSE(state.RemoveLastGroup(english));
}

TEST_F(SearchStateTest, BackspaceRemovesTheGroupsBeforeTheCaretOrUnderTheSelection) {
    const struct { const char* what; int caret, selStart, selEnd; bool removed; const char16_t* box; int newCaret; } cases[] = {
        // Box "A-D-G-J": letters at 0, 2, 4, 6.
        {"caret at the end", 7, 7, 7, true, u"A-D-G", 5},
        {"caret after a dash belongs to the group before", 2, 2, 2, true, u"D-G-J", 0},
        {"caret at the start removes nothing", 0, 0, 0, false, u"A-D-G-J", 0},
        {"selection of a dash only", 0, 3, 4, false, u"A-D-G-J", 3},
        {"reversed selection of two groups", 0, 5, 1, true, u"A-J", 1},
    };
    for (const auto& c : cases) {
        SearchState s;
        for (int g : {0, 1, 2, 3}) (void)s.PressGroup(g, english);  // the state is checked below
        const auto r = s.Backspace(c.caret, c.selStart, c.selEnd, english);
        ASSERT_TRUE(r.has_value()) << c.what;
        EXPECT_EQ(std::tuple(r->removed, s.BoxText(), r->caret), std::tuple(c.removed, Str(c.box), c.newCaret)) << c.what;
    }
}

TEST_F(SearchStateTest, HighlightsTheFirstMatchOfTheSearch) {
    (void)state.OnTextChanged(u"an");  // the state is checked below
    const struct { const char16_t* row; int start, count; } typed[] = {{u"Joanne Annandale", 2, 2}, {u"ANNA", 0, 2}, {u"Bob", -1, 0}},
      // JKL then ABC: a word start whose letters fall in those groups.
      groups[] = {{u"Kate Lana", 0, 2}, {u"Alan Kbx", 5, 2}, {u"xka", -1, 0}, {u"Mary-Lou.Kb", 9, 2}, {u"K", -1, 0}};
    const auto check = [&](const auto& rows) {
        for (const auto& c : rows) {
            const auto h = state.HighlightIn(c.row, table);
            EXPECT_EQ(h ? std::pair(h->start, h->count) : std::pair(-1, 0), std::pair(c.start, c.count)) << Str(c.row).ToUtf8();
        }
    };
    check(typed);
    Press({3, 0});
    check(groups);
}

// The highlight lights what the index finds through folding, on the row's own letters: a search
// typed without marks lights the letters that carry them (a letter folded to two, as ß to ss, is lit
// whole), one typed with marks only its own spelling; keypad groups light the letters they hold
// through their folds.
TEST_F(SearchStateTest, HighlightsMatchesThroughFolding) {
    const struct {
        const char16_t* search;
        const char16_t* row;
        int start, count;
    } typed[] = {
        {u"muller", u"Hans Müller", 5, 6},  {u"MULL", u"Hans Müller", 5, 4},
        {u"mül", u"Hans Müller", 5, 3},     {u"mül", u"Mulder", -1, 0},
        {u"mul", u"Mulder Müller", 0, 3},   {u"weis", u"Weiß", 0, 4},
        {u"weiss", u"Anna Weiß", 5, 4},     {u"aero", u"Ærøe", 0, 3},
        {u"ller", u"Müller", 3, 4},         {u"u", u"Müller", 1, 2},
        {u"σοφια", u"Σοφία Π.", 0, 5},      {u"ёлк", u"Елкин Ёлкин", 6, 3},
        {u"an", u"Joanne Ånnandale", 2, 2},
    };
    for (const auto& c : typed) {
        (void)state.OnTextChanged(c.search);  // a new text each time
        const auto h = state.HighlightIn(c.row, table);
        EXPECT_EQ(h ? std::pair(h->start, h->count) : std::pair(-1, 0), std::pair(c.start, c.count))
            << Str(c.search).ToUtf8() << " in " << Str(c.row).ToUtf8();
    }
    Press({4, 6, 3});  // 6-8-5: MNO TUV JKL
    const auto h = state.HighlightIn(u"Anna Müller", table);
    EXPECT_EQ(h ? std::pair(h->start, h->count) : std::pair(-1, 0), std::pair(5, 3));
}

}  // namespace
