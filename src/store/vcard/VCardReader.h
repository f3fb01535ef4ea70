#pragma once
// VCardReader: the cards of a vCard file (2.1, 3.0 and 4.0, several cards a file) as neutral
// VCard models. Reading is all or nothing: a damaged file yields an error naming the line and
// the reason, and no cards.
#include <string_view>
#include <vector>

#include "store/vcard/LineReader.h"
#include "store/vcard/ReadStatus.h"
#include "store/vcard/VCard.h"

class VCardReader {
public:
    // Reads every card of the file's bytes (any byte-order mark or UTF-16 is handled, see
    // FileText.h) into `cards`, which is cleared first and left empty on failure.
    static ReadStatus Read(std::string_view fileBytes, std::vector<VCard>& cards);

private:
    explicit VCardReader(std::string_view text) : lines_(text) {}

    ReadStatus ReadCards(std::vector<VCard>& cards);
    ReadStatus ReadCard(VCard& card);
    // The next content line as a property, its value not yet decoded: folded lines, the soft
    // line breaks of quoted-printable values and the bare continuation lines of 2.1 base64
    // values are joined on.
    ReadStatus ReadContentLine(VCardVersion version, VCardProperty& property);
    void JoinSoftBreaks(std::string& line);
    void JoinBase64Lines(VCardProperty& property);
    // The card nested in a 2.1 AGENT property (its BEGIN:VCARD line just read), kept whole as
    // the AGENT's text.
    ReadStatus ReadAgentCard(VCardProperty& agent);

    LineReader lines_;
};
