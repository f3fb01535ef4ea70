#include <gtest/gtest.h>

#include "platform/text/Charset.h"

using plat::CharsetStatus;
using plat::DecodeCharset;

TEST(Charset, DecodesTheCharsetsCardsAndTablesCommonlyUse) {
    const struct {
        const char* charset;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"Windows-1252", "\x80 \x93x\x94", u"\u20ac \u201cx\u201d"},
        {"koi8-r", "\xe9\xd7\xc1\xce", u"\u0418\u0432\u0430\u043d"},
        {"Shift_JIS", "\x93\x8c\x8b\x9e", u"\u6771\u4eac"},
        {"UTF-16LE", std::string("A\0\xac\x20", 4), u"A\u20ac"},
        {"UTF-8", [] { std::string s; for (int i = 0; i < 5000; ++i) s += "\xc3\xa9z"; return s; }(),
         [] { std::u16string s; for (int i = 0; i < 5000; ++i) s += u"\u00e9z"; return s; }()},  // decoded whole
    };
    for (const auto& c : cases) {
        std::u16string out;
        EXPECT_EQ(DecodeCharset(c.charset, c.bytes, out), CharsetStatus::kOk) << c.charset;
        EXPECT_EQ(out, c.text) << c.charset;
    }
}

TEST(Charset, BadSequencesBecomeReplacementAndAreReported) {
    const struct {
        const char* charset;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"UTF-8", "a\xff" "b", u"a\ufffd" "b"},
        {"UTF-8", "abc\xe2\x82", u"abc\ufffd"},  // cut at the end
        {"Shift_JIS", "\x93", u"\ufffd"},
    };
    for (const auto& c : cases) {
        std::u16string out;
        EXPECT_EQ(DecodeCharset(c.charset, c.bytes, out), CharsetStatus::kIllFormed) << c.charset;
        EXPECT_EQ(out, c.text) << c.charset;
    }
}
