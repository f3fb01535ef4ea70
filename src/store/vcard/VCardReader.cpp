#include "store/vcard/VCardReader.h"

#include <string>

#include "platform/text/Utf.h"
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
    return "\"" + std::string(text.substr(0, 40)) + (text.size() > 40 ? "...\"" : "\"");
}

}  // namespace

ReadStatus VCardReader::Read(std::string_view fileBytes, std::vector<VCard>& cards) {
    cards.clear();
    const std::string text = FileBytesToText(fileBytes);
    VCardReader reader(text);
    ReadStatus status = reader.ReadCards(cards);
    if (!status.ok()) cards.clear();
    return status;
}

ReadStatus VCardReader::ReadCards(std::vector<VCard>& cards) {
    lines_.SkipBlankLines();
    if (lines_.AtEnd()) return ReadStatus::Error(1, "no BEGIN:VCARD in the file");
    while (!lines_.AtEnd()) {
        const int line = lines_.LineNumber();
        const std::string_view first = lines_.Take();
        if (!IsFramingLine(first, vcf::kBegin)) {
            return ReadStatus::Error(line, IsFramingLine(first, vcf::kEnd)
                                               ? "END:VCARD without BEGIN:VCARD"
                                               : "expected BEGIN:VCARD, found " + Quoted(first));
        }
        VCard card;
        card.line = line;
        ReadStatus status = ReadCard(card);
        if (!status.ok()) return status;
        cards.push_back(std::move(card));
        lines_.SkipBlankLines();
    }
    return ReadStatus::Ok();
}

ReadStatus VCardReader::ReadCard(VCard& card) {
    for (;;) {
        lines_.SkipBlankLines();
        if (lines_.AtEnd()) return ReadStatus::Error(card.line, "BEGIN:VCARD without END:VCARD");
        VCardProperty property;
        ReadStatus status = ReadContentLine(card.version, property);
        if (!status.ok()) return status;
        const bool isCard = EqualsAscii(TrimBlanks(property.raw), vcf::kVCard);
        if (property.name == vcf::kEnd) {
            if (isCard) return ReadStatus::Ok();
            return ReadStatus::Error(property.line, "END:" + property.raw + " inside a vCard");
        }
        if (property.name == vcf::kBegin) {
            const bool agentFollows = isCard && !card.properties.empty() &&
                                      card.properties.back().name == vcf::kAgent &&
                                      TrimBlanks(card.properties.back().raw).empty();
            if (!agentFollows) {
                return ReadStatus::Error(
                    property.line, isCard ? "BEGIN:VCARD inside the card begun at line " +
                                                std::to_string(card.line) + " (END:VCARD missing)"
                                          : "BEGIN:" + property.raw + " inside a vCard");
            }
            status = ReadAgentCard(card.properties.back());
            if (!status.ok()) return status;
            continue;
        }
        if (property.name == vcf::kVersion && !ParseVersion(property.raw, card.version)) {
            return ReadStatus::Error(property.line,
                                     "unsupported vCard version " + Quoted(property.raw));
        }
        std::string reason;
        if (!DecodePropertyValue(property, reason)) return ReadStatus::Error(property.line, reason);
        card.properties.push_back(std::move(property));
    }
}

ReadStatus VCardReader::ReadContentLine(VCardVersion version, VCardProperty& property) {
    const int line = lines_.LineNumber();
    std::string text(lines_.Take());
    std::string reason;
    VCardProperty firstLine;
    if (ParseContentLine(text, version, firstLine, reason) && IsQuotedPrintable(firstLine)) {
        JoinSoftBreaks(text);
    } else {
        lines_.TakeFolds(text, version == VCardVersion::k21);
    }
    if (!ParseContentLine(text, version, property, reason)) return ReadStatus::Error(line, reason);
    property.line = line;
    if (IsBase64(property)) JoinBase64Lines(property);
    return ReadStatus::Ok();
}

void VCardReader::JoinSoftBreaks(std::string& line) {
    for (;;) {
        if (!line.empty() && line.back() == '=' && !lines_.AtEnd() && !IsBlankLine(lines_.Peek())) {
            line.pop_back();
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

ReadStatus VCardReader::ReadAgentCard(VCardProperty& agent) {
    const int beginLine = lines_.LineNumber() - 1;
    std::string text = "BEGIN:VCARD";
    for (int depth = 1; !lines_.AtEnd();) {
        const std::string_view line = lines_.Take();
        text += vcf::kLineEnd;
        text += line;
        if (IsFramingLine(line, vcf::kBegin)) ++depth;
        if (IsFramingLine(line, vcf::kEnd) && --depth == 0) {
            agent.raw = text;
            std::u16string decoded;
            DecodeFileText(text, {}, decoded);
            agent.value = EscapeText(decoded);
            return ReadStatus::Ok();
        }
    }
    return ReadStatus::Error(beginLine, "BEGIN:VCARD without END:VCARD");
}
