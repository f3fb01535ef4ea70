#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "view/markup/Markup.h"

namespace {

// Runs written compactly: each run's text after a style code (b i u s, P<size>, #<hex>).
std::string Describe(const Array<StyledRun>& runs) {
    std::string out;
    for (const StyledRun& r : runs) {
        const TextStyle& style = r.style;
        out += std::string("[") + (style.bold ? "b" : "") + (style.italic ? "i" : "") + (style.underline ? "u" : "") + (style.strike ? "s" : "");
        if (style.size) out.append("P").append(std::to_string(style.size));
        char hex[16];
        std::snprintf(hex, sizeof hex, "#%06x", style.color);
        if (style.color) out += hex;
        out.append("]").append(r.text.ToUtf8());
    }
    return out;
}

TEST(Markup, TagsStyleTheTextAfterThem) {
    const struct { const char16_t* text; const char* runs; } cases[] = {
        {u"<B>Anna Smith</B> Boss", "[b]Anna Smith[] Boss"},
        {u"<#004080><I>a@b.c</I></#>", "[i#004080]a@b.c"},
        {u"<b><i>x</B>y</i>z", "[bi]x[i]y[]z"},
        {u"<U>u</u><S>s</s>", "[u]u[s]s"},
        {u"a<L>b\nc", "[]a\nb\nc"},
        {u"<P12>big</P>n", "[P12]big[]n"},
        {u"<#000000>default</#>", "[]default"},
        {u"<#FfA0b1>c", "[#ffa0b1]c"},
        // Anything that is not a whole tag is text.
        {u"a < b <x> <B", "[]a < b <x> <B"},
        {u"<P1>x<P>y<Pab>", "[]<P1>x<P>y<Pab>"},
        {u"<#12345>x<#12345g>", "[]<#12345>x<#12345g>"},
        {u"</L></Q><>", "[]</L></Q><>"},
        {u"<", "[]<"}, {u"<#00408", "[]<#00408"},  // the text ends inside a tag
        {u"<B></B>", ""},
        {u"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(ParseMarkup(c.text)), c.runs) << Str(c.text).ToUtf8();
    }
}

TEST(Markup, StrippedTextKeepsLineBreaksAndLiteralSigns) {
    EXPECT_EQ(StripMarkup(u"<B>Anna</B> CEO\nAcme<L>x"), u"Anna CEO\nAcme\nx");
    EXPECT_EQ(StripMarkup(u"a<b"), u"a<b");
}

}  // namespace
