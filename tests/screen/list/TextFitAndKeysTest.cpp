// The list's pure rules: fitting texts to a width, what each key does to the current row, the
// action key's short and long press, and the row colours.
#include <gtest/gtest.h>

#include <string>

#include "screen/list/ListColors.h"
#include "screen/list/ListKeys.h"
#include "screen/list/TextFit.h"

namespace {

// Ten pixels a character, so "..." is 30 wide.
int TenEach(std::u16string_view text) { return static_cast<int>(text.size()) * 10; }

TEST(TextFit, CutsAtWhatFitsLessTheEllipsisAndDropsTrailingPunctuation) {
    const struct {
        std::u16string text;
        int width;
        std::u16string shown;
        int kept;
    } cases[] = {
        {u"Anna Smith", 100, u"Anna Smith", 10},      // fits whole
        {u"Smith, Anna Maria", 100, u"Smith...", 5},  // the cut after ", " loses both
        {u"Hello World", 60, u"Hel...", 3},
        {u"Tom & Jerry", 90, u"Tom...", 3},  // "Tom & " loses " & "
        {u"a.b-c=d+e", 80, u"a.b-c...", 5},  // letters stay
        {u"abc", 20, u"...", 0},             // not one character fits
        {u"--- ,x", 50, u"...", 0},          // only punctuation fits
        {u"", 0, u"", 0},
    };
    for (const auto& c : cases) {
        const FittedText fitted = FitText(c.text, c.width, TenEach);
        EXPECT_EQ(std::u16string(fitted.text.View()), c.shown) << Str(c.text).ToUtf8();
        EXPECT_EQ(fitted.kept, c.kept) << Str(c.text).ToUtf8();
    }
}

TEST(TextFit, NeverSplitsASurrogatePair) {
    const std::u16string text = u"ab\U0001F600cdef";       // the emoji is two units
    const FittedText fitted = FitText(text, 60, TenEach);  // room 30: "ab" and the emoji's first unit
    EXPECT_EQ(std::u16string(fitted.text.View()), u"ab...");
}

TEST(ListKeys, MovesClampAndWrapOnlyWhenCyclic) {
    using Kind = ListKeyOutcome::Kind;
    const ListKeyState middle{5, 20, 6, false, false};
    const ListKeyState first{0, 20, 6, false, false};
    const ListKeyState last{19, 20, 6, false, false};
    const ListKeyState none{-1, 20, 6, false, false};
    const ListKeyState empty{-1, 0, 6, false, false};
    ListKeyState cyclicFirst = first, cyclicLast = last, held = middle;
    cyclicFirst.cyclic = cyclicLast.cyclic = true;
    held.actionDown = true;
    const struct {
        const char* what;
        uint32_t key;
        ListKeyState state;
        ListKeyOutcome expected;
    } cases[] = {
        {"home", kVkHome, middle, {Kind::Move, 0}},
        {"end", kVkEnd, middle, {Kind::Move, 19}},
        {"page up clamps", kVkPrior, middle, {Kind::Move, 0}},
        {"page down", kVkNext, middle, {Kind::Move, 11}},
        {"page down clamps", kVkNext, last, {}},
        {"up", kVkUp, middle, {Kind::Move, 4}},
        {"up on the first row goes to the frame", kVkUp, first, {Kind::ToListener, 0}},
        {"up on the first row wraps when cyclic", kVkUp, cyclicFirst, {Kind::Move, 19}},
        {"down on the last row stays", kVkDown, last, {}},
        {"down on the last row wraps when cyclic", kVkDown, cyclicLast, {Kind::Move, 0}},
        {"down without a current row", kVkDown, none, {Kind::Move, 0}},
        {"return activates", kVkReturn, middle, {Kind::Activate, 5}},
        {"return while the action key is held", kVkReturn, held, {}},
        {"action key", kVkAction, middle, {Kind::ActionPress, 5}},
        {"letters go to the frame", 'A', middle, {Kind::ToListener, 5}},
        {"an empty list moves nowhere", kVkEnd, empty, {}},
        {"an empty list activates nothing", kVkReturn, empty, {}},
        {"up in an empty list goes to the frame", kVkUp, empty, {Kind::ToListener, -1}},
    };
    for (const auto& c : cases) EXPECT_EQ(OnListKey(c.key, c.state), c.expected) << c.what;
}

TEST(ListKeys, TheActionKeyIsAShortPressUntilItsTimerFires) {
    using Result = ActionKeyPress::Result;
    ActionKeyPress press;
    press.Press();
    EXPECT_EQ(press.Release(), Result::Activate);
    EXPECT_EQ(press.Release(), Result::None);
    press.Press();
    EXPECT_EQ(press.TimerFired(), Result::ContextMenu);
    EXPECT_EQ(press.TimerFired(), Result::None);
    EXPECT_EQ(press.Release(), Result::None) << "a long press does not also activate";
    EXPECT_EQ(press.TimerFired(), Result::None) << "a timer after the release does nothing";
}

TEST(ListColors, StripesFollowTheContactIndexAndTheSelectionTheFocus) {
    EXPECT_EQ(ColorsOfRow(0, false, true).background, kRowEven);
    EXPECT_EQ(ColorsOfRow(3, false, true).background, kRowOdd);
    EXPECT_EQ(ColorsOfRow(3, true, true), (RowColors{kRowSelectedFocused, kTextSelected, kTextSelected}));
    EXPECT_EQ(ColorsOfRow(3, true, false), (RowColors{kRowSelectedUnfocused, kTextNormal, kTextNumber}));
    EXPECT_EQ(ColorsOfRow(-1, false, true).background, kRowHeader);
}

}  // namespace
