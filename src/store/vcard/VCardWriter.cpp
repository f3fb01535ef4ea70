#include "store/vcard/VCardWriter.h"

#include "platform/text/Utf.h"
#include "store/vcard/TransferEncoding.h"
#include "store/vcard/VCardFormat.h"

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string ParamValueText(std::u16string_view value) {
    std::string text = plat::ToUtf8(value);
    bool quote = false;
    for (char& c : text) {
        if (c == '"') c = '\'';
        if (c == ';' || c == ':' || c == ',') quote = true;
    }
    return quote ? "\"" + text + "\"" : text;
}

void AppendParam(const VCardParam& param, std::string& line) {
    line += ';';
    line += param.name;
    line += '=';
    for (size_t i = 0; i < param.values.size(); ++i) {
        if (i > 0) line += ',';
        line += ParamValueText(param.values[i]);
    }
}

std::string ContentLine(const VCardProperty& property) {
    std::string line;
    if (!property.group.empty()) line += property.group + '.';
    line += property.name;
    for (const VCardParam& param : property.params) {
        if (property.isBinary && param.name == vcf::kParamEncoding) continue;
        AppendParam(param, line);
    }
    if (property.isBinary) {
        line.append(";").append(vcf::kParamEncoding).append("=").append(vcf::kBase64Short);
    }
    line += ':';
    line += property.isBinary ? EncodeBase64(property.binary) : plat::ToUtf8(property.value);
    return line;
}

}  // namespace

void VCardWriter::AppendFolded(std::string_view line, std::string& out) {
    size_t room = vcf::kFoldOctets;
    while (line.size() > room) {
        size_t cut = room;
        while (cut > 0 && IsContinuationByte(line[cut])) --cut;
        if (cut == 0) cut = room;  // not UTF-8: any place will do
        out.append(line.substr(0, cut));
        out += vcf::kLineEnd;
        out += ' ';
        line.remove_prefix(cut);
        room = vcf::kFoldOctets - 1;
    }
    out.append(line);
    out += vcf::kLineEnd;
}

void VCardWriter::Append(const VCard& card, std::string& out) {
    AppendFolded("BEGIN:VCARD", out);
    AppendFolded("VERSION:3.0", out);
    for (const VCardProperty& property : card.properties) {
        if (property.name == vcf::kVersion) continue;
        AppendFolded(ContentLine(property), out);
    }
    AppendFolded("END:VCARD", out);
}
