#include "store/vcard/ContentLine.h"

#include <algorithm>
#include <vector>

#include "store/vcard/Ascii.h"
#include "store/vcard/FileText.h"
#include "store/vcard/VCardFormat.h"

namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

std::string_view ReadName(std::string_view line, size_t& pos) {
    const size_t start = pos;
    while (pos < line.size() && IsNameChar(line[pos])) ++pos;
    return line.substr(start, pos - start);
}

// The parameter a bare 2.1 word belongs to.
std::string BareParamName(std::string_view word) {
    for (std::string_view encoding : {vcf::kQuotedPrintable, vcf::kBase64, std::string_view("8BIT"),
                                      std::string_view("7BIT")}) {
        if (EqualsAscii(word, encoding)) return std::string(vcf::kParamEncoding);
    }
    for (std::string_view kind : {"INLINE", "URL", "CONTENT-ID", "CID"}) {
        if (EqualsAscii(word, kind)) return std::string(vcf::kParamValue);
    }
    return std::string(vcf::kParamType);
}

// Resolves the caret escapes of 4.0 parameter values.
std::string ResolveCarets(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 'N' || next == '\'' || next == '^') {
                out += next == '^' ? '^' : next == '\'' ? '"' : '\n';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::u16string ParamText(std::string_view bytes, VCardVersion version) {
    std::u16string text;
    // Without a character set it always decodes.
    (void)DecodeFileText(version == VCardVersion::k40 ? ResolveCarets(bytes) : std::string(bytes), {}, text);
    return text;
}

// Splits a parameter's values at commas outside quotes (and inside them when `splitQuoted`),
// with the quotes removed.
std::vector<std::u16string> ParamValues(std::string_view text, bool splitQuoted,
                                        VCardVersion version) {
    std::vector<std::u16string> values;
    std::string current;
    bool quoted = false;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"') {
            quoted = !quoted;
        } else if (i == text.size() || (text[i] == ',' && (!quoted || splitQuoted))) {
            values.push_back(ParamText(TrimBlanks(current), version));
            current.clear();
        } else {
            current += text[i];
        }
    }
    return values;
}

void AddParam(std::string_view segment, VCardVersion version, VCardProperty& property) {
    segment = TrimBlanks(segment);
    if (segment.empty()) return;
    const size_t quote = segment.find('"');
    const size_t equals = segment.find('=');
    VCardParam param;
    std::string_view valueText = segment;
    const std::string_view name =
        equals == std::string_view::npos ? std::string_view() : TrimBlanks(segment.substr(0, equals));
    size_t end = 0;
    const bool named = !name.empty() && (quote == std::string_view::npos || quote > equals) &&
                       ReadName(name, end).size() == name.size();
    if (named) {
        param.name = AsciiUpper(name);
        valueText = segment.substr(equals + 1);
    } else {
        param.name = BareParamName(segment);  // a bare word, or a writer's own form of one
    }
    param.values = ParamValues(valueText, param.name == vcf::kParamType, version);
    property.params.push_back(std::move(param));
}

// The end of the parameter starting at `pos`: the first ';' or ':' outside quotes, or npos when
// a quote is left open.
size_t ParamEnd(std::string_view line, size_t pos) {
    bool quoted = false;
    for (; pos < line.size(); ++pos) {
        if (line[pos] == '"') quoted = !quoted;
        if (!quoted && (line[pos] == ';' || line[pos] == ':')) return pos;
    }
    return quoted ? std::string_view::npos : line.size();
}

// The group (a run of name characters before a '.') and the name, which runs to the first ';' or
// ':'. Writers put blanks and slashes into names of their own ("X-GOOGLE TALK",
// "X-messaging/aim-All"): every other character is taken, and blanks become '-'.
bool ReadGroupAndName(std::string_view line, size_t& pos, VCardProperty& property) {
    const size_t end = std::min(line.find_first_of(";:"), line.size());
    const std::string_view group = ReadName(line, pos);
    if (pos < end && line[pos] == '.' && !group.empty()) {
        property.group = std::string(group);
        ++pos;
    } else {
        pos = 0;
    }
    std::string name = AsciiUpper(TrimBlanks(line.substr(pos, end - pos)));
    for (char& c : name) {
        if (c == ' ' || c == '\t') c = '-';
    }
    property.name = std::move(name);
    pos = end;
    return !property.name.empty();
}

}  // namespace

bool ParseContentLine(std::string_view line, VCardVersion version, VCardProperty& property,
                      std::string& reason) {
    size_t pos = 0;
    if (!ReadGroupAndName(line, pos, property)) {
        reason = "no property name in \"" + std::string(line.substr(0, 40)) + "\"";
        return false;
    }
    while (pos < line.size() && line[pos] == ';') {
        const size_t end = ParamEnd(line, pos + 1);
        if (end == std::string_view::npos) {
            reason = property.name + ": unclosed quote in a parameter";
            return false;
        }
        AddParam(line.substr(pos + 1, end - pos - 1), version, property);
        pos = end;
    }
    if (pos >= line.size()) {
        reason = "no ':' after the property name " + property.name;
        return false;
    }
    property.raw = std::string(line.substr(pos + 1));
    return true;
}
