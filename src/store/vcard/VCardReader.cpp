#include "store/vcard/VCardReader.h"

#include <algorithm>
#include <string>

#include "platform/text/Utf.h"
#include "store/contact/ValueLimits.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/ContentLine.h"
#include "store/vcard/FileText.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueDecoding.h"
#include "store/vcard/ValueText.h"

namespace {

// Whether a physical line is "BEGIN:VCARD" (or "END:VCARD" for kEnd), ignoring case and blanks.
bool IsFramingLine(std::string_view line, std::string_view keyword) {
    line = TrimBlanks(line);
    const size_t colon = line.find(':');
    return colon != std::string_view::npos &&
           EqualsAscii(TrimBlanks(line.substr(0, colon)), keyword) &&
           EqualsAscii(TrimBlanks(line.substr(colon + 1)), vcf::kVCard);
}

bool IsQuotedPrintable(const VCardProperty& property) {
    return EqualsAscii(property.ParamValue(vcf::kParamEncoding), vcf::kQuotedPrintable);
}

bool IsBase64(const VCardProperty& property) {
    const std::u16string encoding = property.ParamValue(vcf::kParamEncoding);
    return EqualsAscii(encoding, vcf::kBase64) || EqualsAscii(encoding, vcf::kBase64Short);
}

bool IsBase64Line(std::string_view line) {
    if (IsBlankLine(line)) return false;
    for (char c : line) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=' || c == ' ' ||
                        c == '\t';
        if (!ok) return false;
    }
    return true;
}

bool ParseVersion(std::string_view text, VCardVersion& version) {
    text = TrimBlanks(text);
    if (text == "2.1") {
        version = VCardVersion::k21;
    } else if (text == "3.0") {
        version = VCardVersion::k30;
    } else if (text == "4.0") {
        version = VCardVersion::k40;
    } else {
        return false;
    }
    return true;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted.append(text.substr(0, 40)).append(text.size() > 40 ? "...\"" : "\"");
    return quoted;
}

}  // namespace

ReadStatus VCardReader::Read(std::string_view fileBytes, std::vector<VCard>& cards,
                             std::vector<ReadSkip>& skipped) {
    cards.clear();
    return ReadEach(fileBytes, skipped, [&](VCard&& card) {
        cards.push_back(std::move(card));
        return true;
    });
}

ReadStatus VCardReader::ReadEach(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const CardSink& take) {
    skipped.clear();
    std::string converted;
    VCardReader reader(FileTextOf(fileBytes, converted), skipped);
    const size_t read = reader.ReadCards(take);
    const bool anyCard = read != 0 || std::any_of(skipped.begin(), skipped.end(), [](const ReadSkip& s) {
        return s.part == ReadSkip::Part::kCard;
    });
    return anyCard ? ReadStatus::Ok() : ReadStatus::Error(1, "no BEGIN:VCARD in the file");
}

void VCardReader::Skip(int line, ReadSkip::Part part, std::string reason) {
    skipped_.push_back({line, part, std::move(reason)});
}

size_t VCardReader::ReadCards(const CardSink& take) {
    size_t read = 0;
    lines_.SkipBlankLines();
    while (!lines_.AtEnd()) {
        const int line = lines_.LineNumber();
        const std::string_view first = lines_.Take();
        if (!IsFramingLine(first, vcf::kBegin)) {
            SkipStrayLines(first, line);
        } else {
            VCard card;
            card.line = line;
            if (ReadCard(card)) {
                ++read;
                if (!take(std::move(card))) break;
            }
        }
        lines_.SkipBlankLines();
    }
    return read;
}

void VCardReader::SkipStrayLines(std::string_view first, int line) {
    while (!lines_.AtEnd() && !IsFramingLine(lines_.Peek(), vcf::kBegin)) lines_.Take();
    Skip(line, ReadSkip::Part::kLines,
         IsFramingLine(first, vcf::kEnd) ? "END:VCARD without BEGIN:VCARD"
                                         : "expected BEGIN:VCARD, found " + Quoted(first));
}

bool VCardReader::ReadCard(VCard& card) {
    size_t bytes = 0;  // of the card's content lines: past limits::kCardBytes nothing more is kept
    for (;;) {
        lines_.SkipBlankLines();
        if (lines_.AtEnd()) {
            Skip(card.line, ReadSkip::Part::kCard, "BEGIN:VCARD without END:VCARD");
            return false;
        }
        const bool agentFollows = !card.properties.empty() && card.properties.back().name == vcf::kAgent &&
                                  TrimBlanks(card.properties.back().raw).empty();
        if (IsFramingLine(lines_.Peek(), vcf::kBegin) && !agentFollows) {
            // The next card begins here; this one never ended.
            Skip(card.line, ReadSkip::Part::kCard,
                 "BEGIN:VCARD without END:VCARD (the next card begins at line " +
                     std::to_string(lines_.LineNumber()) + ")");
            return false;
        }
        VCardProperty property;
        std::string reason;
        const int line = lines_.LineNumber();
        if (!ReadContentLine(card.version, property, reason)) {
            Skip(line, ReadSkip::Part::kProperty, reason);
            continue;
        }
        const bool isCard = EqualsAscii(TrimBlanks(property.raw), vcf::kVCard);
        bytes += property.name.size() + property.raw.size();
        if (property.name == vcf::kEnd && isCard && bytes > limits::kCardBytes) {
            Skip(card.line, ReadSkip::Part::kCard,
                 "larger than " + std::to_string(limits::kCardBytes / (1024 * 1024)) + " MB");
            return false;
        }
        if (property.name == vcf::kEnd && isCard) return true;
        if (bytes > limits::kCardBytes) {
            card.properties.clear();
            continue;
        }
        if (property.name == vcf::kBegin && isCard && agentFollows) {
            if (ReadAgentCard(card.properties.back())) continue;
            Skip(card.line, ReadSkip::Part::kCard,
                 "the AGENT's card begun at line " + std::to_string(line) + " has no END:VCARD");
            return false;
        }
        if (property.name == vcf::kBegin || property.name == vcf::kEnd) {
            Skip(line, ReadSkip::Part::kProperty, property.name + ":" + property.raw + " inside a vCard");
            continue;
        }
        if (property.name == vcf::kVersion && !ParseVersion(property.raw, card.version)) {
            Skip(line, ReadSkip::Part::kProperty, "unsupported vCard version " + Quoted(property.raw));
            continue;
        }
        if (!DecodePropertyValue(property, reason)) {
            Skip(line, ReadSkip::Part::kProperty, reason);
            continue;
        }
        card.properties.push_back(std::move(property));
    }
}

bool VCardReader::ReadContentLine(VCardVersion version, VCardProperty& property, std::string& reason) {
    const int line = lines_.LineNumber();
    std::string text(lines_.Take());
    VCardProperty firstLine;
    if (ParseContentLine(text, version, firstLine, reason) && IsQuotedPrintable(firstLine)) {
        JoinSoftBreaks(text);
    } else {
        lines_.TakeFolds(text, version == VCardVersion::k21);
    }
    if (!ParseContentLine(text, version, property, reason)) return false;
    property.line = line;
    if (IsBase64(property)) JoinBase64Lines(property);
    return true;
}

// A quoted-printable line ending in '=' (after any trailing blanks, which are padding) goes on
// with the next line. A soft break with nothing after it (a blank line, the end of the card or of
// the file) ends the value and is dropped.
void VCardReader::JoinSoftBreaks(std::string& line) {
    for (;;) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        if (!line.empty() && line.back() == '=') {
            line.pop_back();
            const std::string_view next = lines_.Peek();
            if (lines_.AtEnd() || IsBlankLine(next) || IsFramingLine(next, vcf::kEnd) ||
                IsFramingLine(next, vcf::kBegin)) {
                return;
            }
            line += lines_.Take();
        } else if (lines_.NextIsFold()) {
            line += lines_.Take();
        } else {
            return;
        }
    }
}

void VCardReader::JoinBase64Lines(VCardProperty& property) {
    if (!IsBase64Line(lines_.Peek())) return;
    while (IsBase64Line(lines_.Peek())) property.raw += lines_.Take();
    if (!lines_.AtEnd() && IsBlankLine(lines_.Peek())) lines_.Take();
}

bool VCardReader::ReadAgentCard(VCardProperty& agent) {
    std::string text = "BEGIN:VCARD";
    for (int depth = 1; !lines_.AtEnd();) {
        const std::string_view line = lines_.Take();
        text += vcf::kLineEnd;
        text += line;
        if (IsFramingLine(line, vcf::kBegin)) ++depth;
        if (IsFramingLine(line, vcf::kEnd) && --depth == 0) {
            agent.raw = text;
            std::u16string decoded;
            (void)DecodeFileText(text, {}, decoded);  // without a character set it always decodes
            agent.value = EscapeText(decoded);
            return true;
        }
    }
    return false;
}
