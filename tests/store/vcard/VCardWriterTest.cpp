#include <gtest/gtest.h>

#include "store/vcard/VCardWriter.h"

namespace {

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

TEST(VCardWriter, WritesGroupsQuotedParametersAndBinaryValues) {
    VCard card;
    card.properties.reserve(4);  // the references below stay valid
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
    VCardProperty& note = card.properties.emplace_back();
    note.name = "NOTE";
    note.value = u"caf\u00e9\\, bar\\nnext";
    card.properties.push_back({.name = "VERSION", .value = u"4.0"});  // never written

    std::string text;
    VCardWriter::Append(card, text);
    EXPECT_EQ(text,
              "BEGIN:VCARD\r\nVERSION:3.0\r\n"
              "item1.TEL;TYPE=WORK,VOICE;X-NOTE=\"a;b:c 'd'\":+1 555 0100\r\n"
              "PHOTO;ENCODING=b:iVBORwD/\r\n"
              "NOTE:caf\xc3\xa9\\, bar\\nnext\r\n"
              "END:VCARD\r\n");
}
