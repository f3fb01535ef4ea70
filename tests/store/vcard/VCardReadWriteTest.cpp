// Reading cards from text and writing them back: content lines, versions, encodings and folding.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/text/Utf.h"
#include "store/vcard/VCardReader.h"
#include "store/vcard/VCardWriter.h"
#include "support/HostFiles.h"

namespace {

std::vector<VCard> ReadOk(std::string_view text) {
    std::vector<VCard> cards;
    std::vector<ReadSkip> skipped;
    const ReadStatus status = VCardReader::Read(text, cards, skipped);
    EXPECT_TRUE(status.ok()) << status.ToString();
    EXPECT_TRUE(skipped.empty()) << skipped.front().ToString();
    return cards;
}


const VCardProperty& Prop(const VCard& card, std::string_view name, int nth = 0) {
    for (const VCardProperty& property : card.properties) {
        if (property.name == name && nth-- == 0) return property;
    }
    static const VCardProperty kNone;
    ADD_FAILURE() << "no " << name;
    return kNone;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text not ended by CR LF";
    return lines;
}

}  // namespace

TEST(VCardReader, UnfoldsAndSplitsContentLines) {
    const auto cards = ReadOk(
        "BEGIN:VCARD\r\nVERSION:3.0\r\n"
        "item1.TEL;type=WORK;TYPE=voice,pref:+1 555\r\n  0100\r\n"
        "item1.X-ABLabel:Desk\r\n"
        "N:Smith;Anna\\, Maria;;Dr.;\r\n"
        "NOTE;LANGUAGE=\"en;us\":a\r\n\tb\\nc\r\n"
        "end:vcard\r\n");
    ASSERT_EQ(cards.size(), 1u);
    const VCard& card = cards[0];
    EXPECT_EQ(card.version, VCardVersion::k30);
    EXPECT_EQ(card.line, 1);
    const VCardProperty& tel = Prop(card, "TEL");
    EXPECT_EQ(tel.group, "item1");
    EXPECT_EQ(tel.line, 3);
    EXPECT_EQ(tel.raw, "+1 555 0100");  // the fold's blank dropped, the next one kept
    EXPECT_TRUE(tel.HasType("work") && tel.HasType("VOICE") && tel.HasType("pref"));
    EXPECT_EQ(card.GroupTexts("X-ABLABEL"), (std::map<std::string, std::u16string>{{"ITEM1", u"Desk"}}));
    EXPECT_EQ(Prop(card, "N").Components(),
              (std::vector<std::u16string>{u"Smith", u"Anna, Maria", u"", u"Dr.", u""}));
    EXPECT_EQ(Prop(card, "NOTE").ParamValue("LANGUAGE"), u"en;us");
    EXPECT_EQ(Prop(card, "NOTE").Text(), u"ab\r\nc");
}

TEST(VCardReader, ReadsVersion21QuotedPrintableAndCharsets) {
    const auto cards = ReadOk(
        "BEGIN:VCARD\nVERSION:2.1\n"
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=\n"
        "=FCrgen\n"
        "NOTE;QUOTED-PRINTABLE;CHARSET=UTF-8:Zeile 1=0D=0AZeile =\n"
        " 2 =E2=82=AC\n"
        "TEL;HOME;VOICE;PREF:123\n"
        "ORG:Folded at\n a blank\n"
        "END:VCARD\n");
    ASSERT_EQ(cards.size(), 1u);
    const VCard& card = cards[0];
    EXPECT_EQ(card.version, VCardVersion::k21);
    EXPECT_EQ(Prop(card, "N").Components(), (std::vector<std::u16string>{u"M\u00fcller", u"J\u00fcrgen"}));
    EXPECT_EQ(Prop(card, "NOTE").Text(), u"Zeile 1\r\nZeile  2 \u20ac");
    const VCardProperty& tel = Prop(card, "TEL");
    EXPECT_TRUE(tel.HasType("HOME") && tel.HasType("VOICE") && tel.HasType("PREF"));
    EXPECT_EQ(Prop(card, "ORG").Text(), u"Folded at a blank");  // 2.1 keeps the fold's blank
}

TEST(VCardReader, DecodesInlineBinaryInEveryVersion) {
    const auto cards = ReadOk(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nPHOTO;ENCODING=BASE64;TYPE=GIF:\r\nR0lG\r\nODlh\r\n\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nPHOTO;ENCODING=b;TYPE=JPEG:R0lGOD\r\n lh\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nPHOTO:data:image/gif;base64,R0lGODlh\r\n"
        "LOGO:data:text/plain,a%20b\r\nPHOTO:http://example.com/me.jpg\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 3u);
    for (const VCard& card : cards) {
        EXPECT_TRUE(Prop(card, "PHOTO").isBinary);
        EXPECT_EQ(Prop(card, "PHOTO").binary, "GIF89a");
    }
    EXPECT_EQ(Prop(cards[2], "PHOTO").ParamValue("MEDIATYPE"), u"image/gif");
    EXPECT_EQ(Prop(cards[2], "LOGO").binary, "a b");
    EXPECT_FALSE(Prop(cards[2], "PHOTO", 1).isBinary);
    EXPECT_EQ(Prop(cards[2], "PHOTO", 1).Text(), u"http://example.com/me.jpg");
}

// A 2.1 agent's nested card is kept as the property's text instead of ending the outer card.
TEST(VCardReader, KeepsAnAgentsNestedCardAsItsText) {
    const auto cards = ReadOk(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Boss;The\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N:Helper;A\r\nEND:VCARD\r\nTEL:1\r\nEND:VCARD\r\n");
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(Prop(cards[0], "AGENT").Text(), u"BEGIN:VCARD\r\nVERSION:2.1\r\nN:Helper;A\r\nEND:VCARD");
    EXPECT_EQ(Prop(cards[0], "TEL").Text(), u"1");
}

TEST(VCardReader, ReadsUtf16FilesAndByteOrderMarks) {
    const std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zo\xc3\xab\r\nEND:VCARD\r\n";
    const std::vector<uint8_t> units = Utf16Bytes(plat::FromUtf8(text));
    const std::string unmarked(units.begin(), units.end());
    for (const std::string& bytes : {"\xef\xbb\xbf" + text, "\xff\xfe" + unmarked, unmarked}) {
        const auto cards = ReadOk(bytes);
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(Prop(cards[0], "FN").Text(), u"Zo\u00eb");
    }
}

// What cannot be read is left out, named by its line, and everything else is read: a property,
// a card whose structure is broken, text between cards.
TEST(VCardReader, SkipsWhatCannotBeReadAndReadsTheRest) {
    const struct {
        std::string text;
        std::vector<std::string> names;  // the N of each card read
        std::vector<std::string> skipped;
    } cases[] = {
        {"\r\n  \r\nhello\r\nBEGIN:VCARD\r\nN:A\r\nEND:VCARD\r\n", {"A"},
         {"line 3: expected BEGIN:VCARD, found \"hello\" (lines skipped)"}},
        {"BEGIN:VCARD\nN:A\n", {}, {"line 1: BEGIN:VCARD without END:VCARD (card skipped)"}},
        {"BEGIN:VCARD\nN:A\nEND:VCARD\nEND:VCARD\nstray\n", {"A"},
         {"line 4: END:VCARD without BEGIN:VCARD (lines skipped)"}},
        {"BEGIN:VCARD\nN:A\nBEGIN:VCARD\nN:B\nEND:VCARD\n", {"B"},
         {"line 1: BEGIN:VCARD without END:VCARD (the next card begins at line 3) (card skipped)"}},
        {"BEGIN:VCARD\nVERSION:5.0\nN:A\nEND:VCARD\n", {"A"},
         {"line 2: unsupported vCard version \"5.0\" (property skipped)"}},
        {"BEGIN:VCARD\nFN\nN:A\nNOTE\nEND:VCARD\n", {"A"},
         {"line 2: no ':' after the property name FN (property skipped)",
          "line 4: no ':' after the property name NOTE (property skipped)"}},
        {"BEGIN:VCARD\nTEL;TYPE=\"home:1\nN:A\nEND:VCARD\n", {"A"},
         {"line 2: TEL: unclosed quote in a parameter (property skipped)"}},
        {"BEGIN:VCARD\nVERSION:3.0\nPHOTO;ENCODING=b:AB*D\nN:A\nEND:VCARD\n", {"A"},
         {"line 3: PHOTO: damaged base64 data (property skipped)"}},
        {"BEGIN:VCARD\nNOTE;ENCODING=X-ZIP:abc\nN;CHARSET=NO-SUCH:a\nN:A\nEND:VCARD\n", {"A"},
         {"line 2: NOTE: unknown encoding \"X-ZIP\" (property skipped)",
          "line 3: N: unknown character set \"NO-SUCH\" (property skipped)"}},
        // A NUL, as it is or quoted-printable, would cut the stored text: the property is refused.
        {std::string("BEGIN:VCARD\nTEL:555\0" "123\nN:A\nNOTE;ENCODING=QUOTED-PRINTABLE:x=00y\nEND:VCARD\n", 75),
         {"A"},
         {"line 2: TEL: a NUL character inside the value (property skipped)",
          "line 4: NOTE: a NUL character inside the value (property skipped)"}},
        {"BEGIN:VCARD\nEND:VCALENDAR\n", {},
         {"line 2: END:VCALENDAR inside a vCard (property skipped)",
          "line 1: BEGIN:VCARD without END:VCARD (card skipped)"}},
        // Comment lines, a name with a blank or a slash, a parameter that is no parameter.
        {"# exported\nBEGIN:VCARD\n# inside\nN:A\nX-GOOGLE TALK:g\nX-messaging/aim-All:a\n"
         "TEL;X-CUSTOM(CHARSET=UTF-8,ENCODING=QUOTED-PRINTABLE,=42=6F=61=74):1\nEND:VCARD\n# end\n",
         {"A"}, {}},
    };
    for (const auto& c : cases) {
        std::vector<VCard> cards;
        std::vector<ReadSkip> skipped;
        EXPECT_TRUE(VCardReader::Read(c.text, cards, skipped).ok()) << c.text;
        std::vector<std::string> names;
        for (const VCard& card : cards) names.push_back(plat::ToUtf8(Prop(card, "N").Text()));
        EXPECT_EQ(names, c.names) << c.text;
        EXPECT_EQ(SkipTexts(skipped), c.skipped) << c.text;
    }
    const auto odd = ReadOk("BEGIN:VCARD\nX-GOOGLE TALK:g\nX-messaging/aim-All:a\nEND:VCARD\n");
    EXPECT_EQ(Prop(odd[0], "X-GOOGLE-TALK").Text(), u"g");
    EXPECT_EQ(Prop(odd[0], "X-MESSAGING/AIM-ALL").Text(), u"a");
    for (const std::string text : {"", "\r\n# only a comment\r\n", "hello\n"}) {
        std::vector<VCard> cards(1);
        std::vector<ReadSkip> skipped;
        EXPECT_EQ(VCardReader::Read(text, cards, skipped).ToString(), "line 1: no BEGIN:VCARD in the file")
            << text;
        EXPECT_TRUE(cards.empty());
    }
}

// The exports of some phones end lines in CR CR LF and fold long values after them; other files
// use CR LF, LF or CR alone. In a file with LFs a lone CR is text inside its line.
TEST(VCardReader, EveryLineEndWithFoldingAfterIt) {
    const std::string lines[] = {"BEGIN:VCARD", "VERSION:2.1", "N:Smith;Anna",
                                 "PHOTO;ENCODING=BASE64;TYPE=GIF:", " R0lG", " ODlh", "",
                                 "NOTE;ENCODING=QUOTED-PRINTABLE:first=", "second", "FN:Anna", " Smith",
                                 "END:VCARD"};
    for (const std::string end : {"\r\r\n", "\r\n", "\n", "\r"}) {
        std::string text;
        for (const std::string& line : lines) text += line + end;
        const auto cards = ReadOk(text);
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(Prop(cards[0], "PHOTO").binary, "GIF89a");
        EXPECT_EQ(Prop(cards[0], "NOTE").Text(), u"firstsecond");
        EXPECT_EQ(Prop(cards[0], "FN").Text(), u"Anna Smith");
    }
    const auto cards = ReadOk("BEGIN:VCARD\r\nNOTE:one\rtwo\r\nN:A\r\nEND:VCARD\r\n");
    EXPECT_EQ(Prop(cards[0], "NOTE").Text(), u"one\r\ntwo");
}

// A soft line break that ends a quoted-printable value (before a blank line, the card's end or
// the file's, or followed by padding blanks) is no text.
TEST(VCardReader, QuotedPrintableSoftBreaksEndingAValueAreDropped) {
    const struct {
        std::string lines;
        std::u16string note;
    } cases[] = {
        {"NOTE;QUOTED-PRINTABLE:abc=\n\nN:A\n", u"abc"},
        {"NOTE;QUOTED-PRINTABLE:abc= \t\nde=\nf\nN:A\n", u"abcdef"},
        {"N:A\nNOTE;QUOTED-PRINTABLE:abc=\n", u"abc"},
        {"NOTE;QUOTED-PRINTABLE:a=3D=\n=3Db\nN:A\n", u"a==b"},
    };
    for (const auto& c : cases) {
        const auto cards = ReadOk("BEGIN:VCARD\nVERSION:2.1\n" + c.lines + "END:VCARD\n");
        ASSERT_EQ(cards.size(), 1u) << c.lines;
        EXPECT_EQ(Prop(cards[0], "NOTE").Text(), c.note) << c.lines;
        EXPECT_EQ(Prop(cards[0], "N").Text(), u"A") << c.lines;
    }
}

TEST(VCardWriter, FoldsAt75OctetsBetweenCharacters) {
    const struct {
        std::string line;
        std::vector<std::string> folded;
    } cases[] = {
        {std::string(75, 'a'), {std::string(75, 'a')}},
        {std::string(76, 'a'), {std::string(75, 'a'), " a"}},
        {std::string(75 + 74 + 1, 'b'), {std::string(75, 'b'), " " + std::string(74, 'b'), " b"}},
        // a two-byte character across octet 75 moves whole to the next line
        {std::string(74, 'c') + "\xc3\xa9" + "d",
         {std::string(74, 'c'), " \xc3\xa9" "d"}},
        // a four-byte character straddling the limit of a continuation line
        {std::string(75, 'e') + std::string(72, 'f') + "\xf0\x9f\x98\x80",
         {std::string(75, 'e'), " " + std::string(72, 'f'), " \xf0\x9f\x98\x80"}},
    };
    for (const auto& c : cases) {
        std::string out;
        VCardWriter::AppendFolded(c.line, out);
        EXPECT_EQ(Lines(out), c.folded);
    }
}

// A parameter value with separators is quoted, its quotes made apostrophes; binary values are
// written as base64 whatever encoding they claimed; a VERSION of the model is never written.
TEST(VCardWriter, WritesGroupsQuotedParametersAndBinaryValues) {
    VCard card;
    card.properties.reserve(3);  // the references below stay valid
    VCardProperty& tel = card.properties.emplace_back();
    tel.group = "item1";
    tel.name = "TEL";
    tel.value = u"+1 555 0100";
    tel.params.push_back({"TYPE", {u"WORK", u"VOICE"}});
    tel.AddParam("X-NOTE", u"a;b:c \"d\"");
    VCardProperty& photo = card.properties.emplace_back();
    photo.name = "PHOTO";
    photo.binary = std::string("\x89PNG\0\xff", 6);
    photo.isBinary = true;
    photo.AddParam("ENCODING", u"QUOTED-PRINTABLE");  // replaced by the binary encoding
    card.properties.push_back({.name = "VERSION", .value = u"4.0"});  // never written

    std::string text;
    VCardWriter::Append(card, text);
    EXPECT_EQ(text,
              "BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "item1.TEL;TYPE=WORK,VOICE;X-NOTE=\"a;b:c 'd'\":+1 555 0100\r\n"
              "PHOTO;ENCODING=b:iVBORwD/\r\n"
              "END:VCARD\r\n");
}
