#include <gtest/gtest.h>

#include "platform/text/Utf.h"

using plat::FromUtf8;

// Well-formed text decodes unit for unit; every ill-formed sequence becomes replacement characters
// without swallowing the valid text after it.
TEST(Utf, DecodingKeepsValidTextAndReplacesIllFormedSequences) {
    const struct {
        std::string utf8;
        std::u16string expected;
    } cases[] = {
        {"\xc3\x84rger \xd0\x96\xd1\x91", u"\u00c4rger \u0416\u0451"},
        {"\xf0\x9f\x98\x80!", u"\U0001F600!"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"\xc0\xaf", u"\ufffd\ufffd"},                // overlong '/'
        {"\xe2\x82" "A", u"\ufffd" "A"},              // truncated sequence before a letter
        {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},      // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},  // above U+10FFFF
        {"abc\xf0\x9f\x98", u"abc\ufffd"},            // cut at the end
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.utf8), c.expected) << c.utf8;
}
