#include <gtest/gtest.h>

#include "store/vcard/CardDate.h"
#include "store/vcard/TransferEncoding.h"
#include "store/vcard/ValueText.h"

TEST(ValueText, EscapesResolveAndLineBreaksBecomeCrLf) {
    const struct {
        std::u16string escaped;
        std::u16string text;
    } cases[] = {
        {u"a\\,b\\;c\\\\d", u"a,b;c\\d"},
        {u"one\\ntwo\\Nthree", u"one\r\ntwo\r\nthree"},
        {u"raw\r\nbreak\nand\rmore", u"raw\r\nbreak\r\nand\r\nmore"},
        {u"C:\\sounds\\ring.wav", u"C:\\sounds\\ring.wav"},  // not escapes: kept
        {u"ends with \\", u"ends with \\"},
        {u"time\\: 10", u"time: 10"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnescapeText(c.escaped), c.text);
    EXPECT_EQ(EscapeText(u"a\nb\rc\r\nd"), u"a\\nb\\nc\\nd");  // each kind of line break is written as \n
    // A foreign value may end in a lone backslash.
    EXPECT_EQ(SplitEscaped(u"a\\;b;c\\", u';'), (std::vector<std::u16string>{u"a;b", u"c\\"}));
}

TEST(TransferEncoding, Base64DecodesLenientlyAndQuotedPrintableKeepsStrayEqualsSigns) {
    const struct {
        std::string text;
        bool ok;
        std::string bytes;
    } cases[] = {
        {"TWFu", true, "Man"},  {"TWE", true, "Ma"} /* padding left off */,  {"TQ==", true, "M"},
        {" T W\r\n F u\t", true, "Man"},  {"", true, ""},
        {"T", false, ""} /* a lone character carries no byte */,  {"TW*u", false, ""},
        {"TQ==TWFu", false, ""},  // data after the padding
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_EQ(DecodeBase64(c.text, out), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(out, c.bytes) << c.text;
        }
    }
    // Quoted-printable keeps an equals sign that starts no escape.
    EXPECT_EQ(DecodeQuotedPrintable("M=FCller=0D=0Ax"), "M\xfcller\r\nx");
    EXPECT_EQ(DecodeQuotedPrintable("a=3db"), "a=b");
    EXPECT_EQ(DecodeQuotedPrintable("1+1=2 =Z9 ="), "1+1=2 =Z9 =");
}

namespace {

// The file time of a UTC date and time.
uint64_t Ft(int64_t days1601, int64_t seconds = 0) {
    return static_cast<uint64_t>(days1601 * 86400 + seconds) * 10'000'000;
}
constexpr int64_t k19900517 = 142'215;  // days from 1601-01-01 to 1990-05-17

}  // namespace

// The usual written forms are read, what is no full date is refused, and what is written reads
// back exactly, the edges of the file-time range included.
TEST(CardDate, ReadsTheUsualFormsRefusesPartialDatesAndReadsBackWhatItWrites) {
    const struct {
        std::u16string text;
        uint64_t fileTime;
    } cases[] = {
        {u"1990-05-17", Ft(k19900517)},                {u" 1990-05-17 ", Ft(k19900517)},
        {u"19900517T103000Z", Ft(k19900517, 37800)},   {u"1990-05-17T10:30", Ft(k19900517, 37800)},
        {u"1990-05-17T12:30:00+02:00", Ft(k19900517, 37800)},
        {u"1990-05-17T08:30:00-0200", Ft(k19900517, 37800)},
        {u"1990-05-17T10:30:00.5Z", Ft(k19900517, 37800) + 5'000'000},  {u"1601-01-01", 0},
        {u"--0229", Ft(1154)} /* 1604-02-29, the year of dates without one */,  {u"--02-29", Ft(1154)},
    };
    for (const auto& c : cases) {
        uint64_t fileTime = 1;
        EXPECT_TRUE(ParseCardDate(c.text, fileTime)) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(fileTime, c.fileTime) << std::string(c.text.begin(), c.text.end());
    }
    for (std::u16string text : {u"", u"1990", u"1990-05", u"circa 1800", u"1600-12-31",
                                u"2001-02-29", u"1990-13-01", u"1990-05-17T25:00", u"1990-05-17T",
                                u"1990-05-17X", u"1601-01-01T00:00+01:00", u"1990-05-17T10:00Zx"}) {
        uint64_t fileTime = 0;
        EXPECT_FALSE(ParseCardDate(text, fileTime)) << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(FormatCardDate(Ft(k19900517)), u"1990-05-17");
    EXPECT_EQ(FormatCardDate(Ft(1154)), u"--02-29");
    EXPECT_EQ(FormatCardDate(Ft(k19900517, 37800) + 1), u"1990-05-17T10:30:00.0000001Z");
    for (uint64_t edge : {uint64_t{0}, UINT64_MAX, UINT64_MAX - 9'999'999}) {
        uint64_t back = 1;
        EXPECT_TRUE(ParseCardDate(FormatCardDate(edge), back));
        EXPECT_EQ(back, edge);
    }
}

TEST(CardDate, TableDatesInDesktopFormats) {
    const struct {
        std::u16string text;
        TableDate result;
        uint64_t fileTime;
    } cases[] = {
        {u"5/17/1990", TableDate::kDate, Ft(k19900517)},   {u"17/5/1990", TableDate::kDate, Ft(k19900517)},
        {u"17.05.1990", TableDate::kDate, Ft(k19900517)},  {u"1990/5/17", TableDate::kDate, Ft(k19900517)},
        {u"5/17/90", TableDate::kDate, Ft(k19900517)},     {u"0/0/00", TableDate::kNone, 0},
        {u"  ", TableDate::kNone, 0},  {u"someday", TableDate::kUnreadable, 0},
        {u"2/30/1990", TableDate::kUnreadable, 0},
    };
    for (const auto& c : cases) {
        uint64_t fileTime = 0;
        EXPECT_EQ(ParseTableDate(c.text, fileTime), c.result);
        if (c.result == TableDate::kDate) {
            EXPECT_EQ(fileTime, c.fileTime);
        }
    }
}
