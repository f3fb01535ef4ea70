#include <gtest/gtest.h>

#include "platform/text/Utf.h"

using plat::FromUtf8;
using plat::ToUtf8;

TEST(Utf, WellFormedTextRoundTripsByteForByte) {
    const struct {
        std::u16string utf16;
        std::string utf8;
    } cases[] = {
        {u"\u00c4rger \u0416\u0451", "\xc3\x84rger \xd0\x96\xd1\x91"},
        {u"\U0001F600!", "\xf0\x9f\x98\x80!"},
        {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(c.utf16), c.utf8);
        EXPECT_EQ(FromUtf8(c.utf8), c.utf16);
    }
}

TEST(Utf, IllFormedInputBecomesReplacementWithoutSwallowingValidText) {
    const struct {
        std::string utf8;
        std::u16string expected;
    } cases[] = {
        {"\xc0\xaf", u"\ufffd\ufffd"},                // overlong '/'
        {"\xe2\x82" "A", u"\ufffd" "A"},              // truncated sequence before a letter
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},      // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},  // above U+10FFFF
        {"abc\xf0\x9f\x98", u"abc\ufffd"},            // cut at the end
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.utf8), c.expected) << c.utf8;
}

TEST(Utf, UnpairedSurrogatesAreReplacedAndReported) {
    const struct {
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {std::u16string(1, char16_t(0xD83D)), "\xef\xbf\xbd"},
        {std::u16string{u'a', char16_t(0xDE00), char16_t(0xD83D), u'b'}, "a\xef\xbf\xbd\xef\xbf\xbd" "b"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(plat::IsValidUtf16(c.text));
        EXPECT_EQ(ToUtf8(c.text), c.utf8);
    }
    EXPECT_TRUE(plat::IsValidUtf16(u"\U0001F600"));
}
