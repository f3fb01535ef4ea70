#include <gtest/gtest.h>

#include "core/array/Array.h"
#include "core/str/Str.h"
#include "support/MessageBoxRecorder.h"
#include "support/TracerBoxes.h"

namespace {

std::vector<int> Items(const Array<int>& a) {
    return {a.begin(), a.end()};
}

Array<int> Filled(int size) {
    Array<int> a;
    for (int i = 0; i < size; ++i) a.Add(i);
    return a;
}

TEST(Array, GrowthRule) {
    // A full block of `allocated` elements grows by its step (0: an eighth of the size, 4 to 1024).
    struct Case { int allocated, growBy, want; } cases[] = {{40, 0, 45}, {8, 0, 12}, {20000, 0, 21024}, {10, 3, 13}};
    for (const Case& c : cases) {
        Array<int> a;
        a.SetSize(c.allocated, c.growBy);  // a first block has exactly the size asked for
        EXPECT_EQ(a.GetAllocSize(), c.allocated);
        a.Add(7);
        EXPECT_EQ(a.GetAllocSize(), c.want) << c.allocated << " step " << c.growBy;
    }
    Array<int> a;
    a.SetSize(4, 10);
    a.SetSize(5, -1);  // -1 keeps the step
    EXPECT_EQ(a.GetAllocSize(), 14);
    a.SetSize(0, 0);
    a.SetSize(40);
    a.SetSize(20);  // shrinking keeps the block
    a.SetSize(41);  // the automatic step follows the size in use (20 / 8, at least 4), not the block
    EXPECT_EQ(a.GetAllocSize(), 44);
    a.SetSize(0);
    EXPECT_EQ(std::pair(a.GetAllocSize(), a.GetData()), std::pair(0, static_cast<int*>(nullptr)));
    a.SetSize(-5);
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(Array, InsertAndRemove) {
    struct Case { void (*change)(Array<int>&); std::vector<int> want; } cases[] = {
        {[](Array<int>& a) { a.InsertAt(1, 9, 2); }, {0, 9, 9, 1, 2}},
        {[](Array<int>& a) { a.InsertAt(5, 9); }, {0, 1, 2, 0, 0, 9}},  // past the end: extends
        {[](Array<int>& a) { a.InsertAt(-1, 9); }, {0, 1, 2}},
        {[](Array<int>& a) { a.RemoveAt(0, 3); }, {}},
        {[](Array<int>& a) { a.RemoveAt(2, 2); }, {0, 1, 2}},  // not wholly inside: nothing
        {[](Array<int>& a) { a.InsertAt(1, a[2]); }, {0, 2, 1, 2}},  // the element moves under itself
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Array<int> a = Filled(3);
        cases[i].change(a);
        EXPECT_EQ(Items(a), cases[i].want) << "case " << i;
    }
}

TEST(Array, ElementsSurviveMovesAndCopies) {
    Array<Str> a;
    a.SetSize(1);
    a[0] = u"first";
    for (int i = 0; i < 40; ++i) a.Add(a[i]);  // each Add may move the block holding a[i]
    for (const Str& s : a) EXPECT_EQ(s, u"first");
    EXPECT_EQ(a[0].RefCount(), 41);
    Array<Str> copy = a;
    EXPECT_EQ(a[0].RefCount(), 82);
    a.RemoveAt(0, 30);
    copy.RemoveAll();
    EXPECT_EQ(a[0].RefCount(), 11);
    Array<Str> moved = std::move(a);
    EXPECT_EQ(moved.GetSize(), 11);
}

TEST(Array, OutOfRangeShowsTheTracerAndStaysInside) {
    MessageBoxRecorder boxes;
    ExpectTracerBoxes releaseProgram;  // boxes, and no abort, as in the release program
    Array<int> a = Filled(3);
    EXPECT_EQ(a.GetAt(-1), 0);
    a.SetAt(3, 99);
    a.ElementAt(7) = 55;   // lands in the scratch element
    EXPECT_EQ(a[100], 0);  // which is reset on every such access
    const Array<int>& constant = a;
    EXPECT_EQ(constant[3], 0);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 1, 2}));

    const std::u16string expected[] = {
        u"Array::GetAt index (-1) out of range (3)",    u"Array::SetAt index (3) out of range (3)",
        u"Array::ElementAt index (7) out of range (3)", u"Array::ElementAt index (100) out of range (3)",
        u"Array::ElementAt index (3) out of range (3)",
    };
    std::vector<std::u16string> texts;
    for (const auto& box : boxes.Boxes()) texts.push_back(box.text);
    EXPECT_EQ(texts, std::vector<std::u16string>(std::begin(expected), std::end(expected)));
    Array<int> empty;
    EXPECT_EQ(empty.GetAt(0), 0);
}

TEST(ArrayDeathTest, OutOfRangeAbortsInTestPrograms) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Array<int> a = Filled(3);
    EXPECT_DEATH(a.SetAt(3, 99), "Array::SetAt index \\(3\\) out of range \\(3\\)");
    EXPECT_DEATH(a[-1] = 5, "Array::ElementAt index \\(-1\\) out of range \\(3\\)");
    EXPECT_DEATH((void)a.GetAt(3), "Array::GetAt");
}

}  // namespace
