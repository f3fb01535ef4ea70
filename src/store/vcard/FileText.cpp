#include "store/vcard/FileText.h"

#include "platform/text/Charset.h"
#include "platform/text/Utf.h"
#include "store/vcard/VCardFormat.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// "UTF-16LE" or "UTF-16BE" when the first characters look like ASCII in UTF-16 without a mark
// (every second byte zero), otherwise empty.
std::string_view UnmarkedUtf16(std::string_view bytes) {
    if (bytes.size() < 4) return {};
    const bool zeroEven = bytes[0] == '\0' && bytes[2] == '\0' && bytes[1] != '\0';
    const bool zeroOdd = bytes[1] == '\0' && bytes[3] == '\0' && bytes[0] != '\0';
    if (zeroOdd) return "UTF-16LE";
    if (zeroEven) return "UTF-16BE";
    return {};
}

std::string Utf16ToUtf8(std::string_view charset, std::string_view bytes) {
    std::u16string text;
    plat::DecodeCharset(charset, bytes, text);
    return plat::ToUtf8(text);
}

}  // namespace

std::string FileBytesToText(std::string_view bytes) {
    std::string converted;
    const std::string_view text = FileTextOf(bytes, converted);
    return text.data() == converted.data() ? std::move(converted) : std::string(text);
}

std::string_view FileTextOf(std::string_view bytes, std::string& converted) {
    converted.clear();
    if (bytes.starts_with(kUtf8Mark)) return bytes.substr(kUtf8Mark.size());
    if (bytes.starts_with(kUtf16LeMark)) converted = Utf16ToUtf8("UTF-16LE", bytes.substr(2));
    else if (bytes.starts_with(kUtf16BeMark)) converted = Utf16ToUtf8("UTF-16BE", bytes.substr(2));
    else if (const std::string_view unmarked = UnmarkedUtf16(bytes); !unmarked.empty()) converted = Utf16ToUtf8(unmarked, bytes);
    else return bytes;
    return converted;
}

bool DecodeFileText(std::string_view bytes, std::string_view charset, std::u16string& out) {
    if (!charset.empty()) {
        return plat::DecodeCharset(charset, bytes, out) != plat::CharsetStatus::kUnknownCharset;
    }
    if (plat::DecodeCharset(vcf::kDefaultCharset, bytes, out) == plat::CharsetStatus::kOk) {
        return true;
    }
    plat::DecodeCharset(vcf::kFallbackCharset, bytes, out);
    return true;
}
