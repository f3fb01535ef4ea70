#include "store/vcard/ValueDecoding.h"

#include <string_view>

#include "platform/text/Utf.h"
#include "store/vcard/Ascii.h"
#include "store/vcard/FileText.h"
#include "store/vcard/TransferEncoding.h"
#include "store/vcard/VCardFormat.h"

namespace {

constexpr std::string_view kDataScheme = "data:";
constexpr std::string_view kMediaTypeParam = "MEDIATYPE";

bool MayHoldBinary(std::string_view name) {
    return name == vcf::kPropPhoto || name == "LOGO" || name == "SOUND" || name == "KEY" ||
           name == vcf::kPropNoteData;
}

// "data:[media type][;base64],payload" into the property's binary data.
bool DecodeDataUri(std::string_view uri, VCardProperty& property) {
    const size_t comma = uri.find(',');
    if (comma == std::string_view::npos) return false;
    std::string_view header = uri.substr(kDataScheme.size(), comma - kDataScheme.size());
    const std::string_view payload = uri.substr(comma + 1);
    constexpr std::string_view kBase64Suffix = ";base64";
    const bool base64 =
        header.size() >= kBase64Suffix.size() &&
        EqualsAscii(header.substr(header.size() - kBase64Suffix.size()), kBase64Suffix);
    if (base64) header.remove_suffix(kBase64Suffix.size());
    if (base64) {
        if (!DecodeBase64(payload, property.binary)) return false;
    } else {
        property.binary = DecodeHexEscapes(payload, '%');
    }
    if (!header.empty()) property.AddParam(std::string(kMediaTypeParam), plat::FromUtf8(header));
    property.isBinary = true;
    return true;
}

// The bytes of the value with the transfer encoding undone; false for an unknown encoding or
// damaged base64.
bool TransferDecoded(VCardProperty& property, std::string& bytes, std::string& reason) {
    const std::u16string encoding = property.ParamValue(vcf::kParamEncoding);
    if (EqualsAscii(encoding, vcf::kQuotedPrintable)) {
        bytes = DecodeQuotedPrintable(property.raw);
    } else if (EqualsAscii(encoding, vcf::kBase64) || EqualsAscii(encoding, vcf::kBase64Short)) {
        if (!DecodeBase64(property.raw, bytes)) {
            reason = property.name + ": damaged base64 data";
            return false;
        }
        if (MayHoldBinary(property.name)) {
            property.binary = std::move(bytes);
            property.isBinary = true;
        }
    } else if (encoding.empty() || EqualsAscii(encoding, "8BIT") || EqualsAscii(encoding, "7BIT")) {
        bytes = property.raw;
    } else {
        reason = property.name + ": unknown encoding \"" + plat::ToUtf8(encoding) + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool DecodePropertyValue(VCardProperty& property, std::string& reason) {
    std::string bytes;
    if (!TransferDecoded(property, bytes, reason)) return false;
    if (property.isBinary) return true;
    if (MayHoldBinary(property.name) && bytes.size() > kDataScheme.size() &&
        EqualsAscii(std::string_view(bytes).substr(0, kDataScheme.size()), kDataScheme)) {
        if (DecodeDataUri(bytes, property)) return true;
        reason = property.name + ": damaged data: URI";
        return false;
    }
    const std::string charset = plat::ToUtf8(property.ParamValue(vcf::kParamCharset));
    if (!DecodeFileText(bytes, charset, property.value)) {
        reason = property.name + ": unknown character set \"" + charset + "\"";
        return false;
    }
    // A text stored for the contact ends at its first NUL: a value holding one would be cut
    // without a word, so it is refused and named instead.
    if (property.value.find(u'\0') != std::u16string::npos) {
        reason = property.name + ": a NUL character inside the value";
        return false;
    }
    return true;
}
