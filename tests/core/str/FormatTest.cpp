#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/str/Formatter.h"
#include "core/str/Str.h"

namespace {

template <typename... Args>
Str F(const char16_t* format, const Args&... args) {
    Str s;
    EXPECT_TRUE(s.Format(format, args...)) << Str(format).ToUtf8();
    return s;
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::string CFormat(const char* format, double value) {
    char text[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(text, sizeof text, format, value);
#pragma GCC diagnostic pop
    return text;
}

TEST(Format, Conversions) {
    int counter = -1;
    const Str wide(u"wide");
    struct Case { Str got; std::u16string_view want; } cases[] = {
        {F(u"plain 100%%"), u"plain 100%"},
        {F(u"%d|%5d|%-5d|%05d|%+d|% d", 42, 42, 42, 42, 42, 42), u"42|   42|42   |00042|+42| 42"},
        {F(u"%i %u %o %x %X %#x", -7, -1, 8, 255, 255, 255), u"-7 4294967295 10 ff FF 0xff"},
        {F(u"%*d|%-*d|%.*d|%*d", 4, 1, 3, 2, 3, 3, -2, 4), u"   1|2  |003|4 "},  // a negative width left-aligns
        {F(u"%I64d %I64u %I64x", INT64_MIN, UINT64_MAX, int64_t{0x123456789}),
         u"-9223372036854775808 18446744073709551615 123456789"},
        {F(u"%d %hd %hu", int64_t{0x100000005}, 70000, -1), u"5 4464 65535"},
        {F(u"%s|%S|%hs|%ls|%s", wide, "narrow", "h", u"l", std::u16string(u"std")), u"wide|narrow|h|l|std"},
        {F(u"[%6s][%-6s][%.2s][%6.2s]", u"abc", u"abc", u"abc", u"abc"), u"[   abc][abc   ][ab][    ab]"},
        {F(u"[%s][%S][%.3s]", static_cast<const char16_t*>(nullptr), static_cast<const char*>(nullptr),
           static_cast<const char16_t*>(nullptr)),
         u"[(null)][(null)][(nu]"},
        {F(u"%c%c%C%3c", u'Ж', 'a', 'b', u'z'), u"Жab  z"},
        {F(u"%.2f|%8.3f|%-8.1f|%e|%G", 3.14159, 2.5, 1.0, 12345.678, 0.000012),
         u"3.14|   2.500|1.0     |1.234568e+04|1.2E-05"},
        {F(u"%d%n|", 12345, &counter), u"12345|"},
        {F(u"%y%"), u"y"},                    // unknown type written as itself, an unfinished one dropped
        {F(u"%d %s %c|", 1), u"1 (null) "},   // missing arguments (the NUL of %c ends the text)
        {F(u"%s %d", 5, u"x"), u"(null) 0"},  // arguments of the wrong kind
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].got.View(), cases[i].want) << "case " << i;
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(F(u"%p", reinterpret_cast<void*>(0xABCD)).View(),
              Ascii(std::string(sizeof(void*) * 2 - 4, '0') + "ABCD"));
}

// Where the counted bound falls short of the text, the whole text is still produced in a block
// large enough for it.
TEST(Format, TextLongerThanTheBoundIsWhole) {
    struct Case { Str got; std::u16string want; } cases[] = {
        {F(u"%+.40d", 5), u"+" + std::u16string(39, u'0') + u"5"},
        {F(u"%#.127g", 1e300), Ascii(CFormat("%#.127g", 1e300))},
        {F(u"%f", 1e300), Ascii(CFormat("%f", 1e300))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.View(), c.want);
        EXPECT_GE(c.got.Capacity(), StrBlockNeed(c.got.GetLength()));
    }
}

TEST(Format, TargetMayBeAnArgumentAndARefusedFormatLeavesIt) {
    Str s(u"ab");
    EXPECT_TRUE(s.Format(u"%s-%s-%s", s, s.c_str(), s.View()));
    EXPECT_EQ(s, u"ab-ab-ab");
    EXPECT_FALSE(s.Format(u"%2000000d", 1));
    EXPECT_FALSE(s.Format(u"%*d", 2000000, 1));
    EXPECT_EQ(s, u"ab-ab-ab");
}

}  // namespace
