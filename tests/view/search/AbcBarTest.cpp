// The alphabet bars' buttons (labels, keypad places, speed-dial keys) and what pressing them does
// to the search state.
#include "view/search/AbcBar.h"

#include <gtest/gtest.h>

#include "index/alphabet/AbcChoice.h"
#include "support/TempDevice.h"
#include "view/search/SearchState.h"

namespace {

class AbcBarTest : public ::testing::Test {
protected:
    TempDevice device;
    AbcDefinition english = LoadAbcDefinition(kAbcEnglish, {});
    SearchState state;
};

TEST_F(AbcBarTest, TheBigBarIsAPhoneKeypad) {
    const std::vector<AbcButton> big = AbcBarLayout::BigBar(english);
    ASSERT_EQ(big.size(), 10u);
    EXPECT_EQ(std::tuple(big[0].kind, big[0].number, big[0].digit, big[0].row, big[0].column),
              std::tuple(AbcButton::Kind::Back, 0, Str(u"1"), 0, 0));
    const AbcButton& abc = big[1];
    EXPECT_EQ(std::tuple(abc.label, abc.digit, abc.number, abc.holdNumber, abc.row, abc.column),
              std::tuple(Str(u"ABC"), Str(u"2"), 1, 10, 0, 1));
    const AbcButton& wxyz = big[8];
    EXPECT_EQ(std::tuple(wxyz.label, wxyz.digit, wxyz.number, wxyz.holdNumber, wxyz.row, wxyz.column),
              std::tuple(Str(u"WXYZ"), Str(u"9"), 8, 17, 2, 2));
    EXPECT_EQ(std::tuple(big[9].kind, big[9].number, big[9].row, big[9].columnSpan),
              std::tuple(AbcButton::Kind::Clear, 9, 3, 3));

    AbcDefinition three;
    ASSERT_TRUE(ParseAbcDefinition(u"AB^АБ/abаб CD/cd EF/ef", three));
    const std::vector<AbcButton> few = AbcBarLayout::BigBar(three);
    EXPECT_EQ(std::tuple(few[1].label, few[1].secondLine), std::tuple(Str(u"AB"), Str(u"АБ")));
    EXPECT_FALSE(few[4].enabled);
    EXPECT_EQ(few[4].holdNumber, -1) << "a key without a group calls nobody either";

    const std::vector<AbcButton> small = AbcBarLayout::SmallBar(three);
    ASSERT_EQ(small.size(), 4u);
    EXPECT_EQ(std::tuple(small[2].label, small[2].number, small[2].row), std::tuple(Str(u"EF"), 2, 2));
    EXPECT_EQ(std::tuple(small[3].kind, small[3].number), std::tuple(AbcButton::Kind::Back, 3));
}

TEST_F(AbcBarTest, PressesChangeTheSearchStateAndMarkTheLastGroup) {
    EXPECT_EQ(PressedAbcButton(true, state), -1);
    EXPECT_TRUE(PressAbcButton(true, 4, state, english).rebuild);   // JKL
    EXPECT_TRUE(PressAbcButton(false, 0, state, english).rebuild);  // ABC on the small bar
    EXPECT_EQ(state.BoxText(), u"J-A");
    EXPECT_EQ(std::pair(PressedAbcButton(true, state), PressedAbcButton(false, state)), std::pair(1, 0));
    EXPECT_TRUE(PressAbcButton(false, 8, state, english).rebuild) << "the small bar's last button goes back";
    EXPECT_EQ(PressedAbcButton(true, state), 4);

    const AbcPress speedDial = PressAbcButton(true, 15, state, english);
    EXPECT_EQ(std::pair(speedDial.rebuild, speedDial.speedDialEntry), std::pair(false, 7));
    EXPECT_TRUE(PressAbcButton(true, 9, state, english).rebuild);
    EXPECT_EQ(state.GetMode(), SearchState::Mode::Normal);
    EXPECT_FALSE(PressAbcButton(true, 9, state, english).rebuild) << "nothing left to clear";
    EXPECT_FALSE(PressAbcButton(true, 0, state, english).rebuild);
}

}  // namespace
