#pragma once
// VCardReader: the cards of a vCard file (2.1, 3.0 and 4.0, several cards a file) as neutral
// VCard models. What cannot be read is left out and the rest read, as the well-known readers do:
// a property that cannot be parsed or decoded is skipped, a card whose structure is broken (no
// END:VCARD before the file or the next card begins) is skipped, text between cards is skipped;
// each skip names its line and reason. Comment lines ('#') are ignored.
#include <functional>
#include <string_view>
#include <vector>

#include "store/vcard/LineReader.h"
#include "store/vcard/ReadStatus.h"
#include "store/vcard/VCard.h"

class VCardReader {
public:
    // Reads every readable card of the file's bytes (any byte-order mark or UTF-16 is handled, see
    // FileText.h) into `cards` and what was left out into `skipped`, both cleared first. Fails
    // only when the file holds no BEGIN:VCARD at all.
    static ReadStatus Read(std::string_view fileBytes, std::vector<VCard>& cards,
                           std::vector<ReadSkip>& skipped);

    // Gets each card as it is read; false from it stops the reading.
    using CardSink = std::function<bool(VCard&&)>;
    // The same as Read, one card at a time: the file is never held parsed whole.
    static ReadStatus ReadEach(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const CardSink& take);

private:
    VCardReader(std::string_view text, std::vector<ReadSkip>& skipped)
        : lines_(text), skipped_(skipped) {}

    // The number of cards handed to `take`.
    size_t ReadCards(const CardSink& take);
    // Reads the card whose BEGIN:VCARD line was just taken; false (the card skipped and reported)
    // when its structure is broken.
    [[nodiscard]] bool ReadCard(VCard& card);
    // Text that is not a card: skipped up to the next BEGIN:VCARD line.
    void SkipStrayLines(std::string_view first, int line);
    // The next content line as a property, its value not yet decoded: folded lines, the soft
    // line breaks of quoted-printable values and the bare continuation lines of 2.1 base64
    // values are joined on. False, with `reason` set, when the line cannot be parsed.
    [[nodiscard]] bool ReadContentLine(VCardVersion version, VCardProperty& property, std::string& reason);
    void JoinSoftBreaks(std::string& line);
    void JoinBase64Lines(VCardProperty& property);
    // The card nested in a 2.1 AGENT property (its BEGIN:VCARD line just read), kept whole as
    // the AGENT's text; false when it has no END:VCARD.
    [[nodiscard]] bool ReadAgentCard(VCardProperty& agent);
    void Skip(int line, ReadSkip::Part part, std::string reason);

    LineReader lines_;
    std::vector<ReadSkip>& skipped_;
};
