#pragma once
// The names and limits of the vCard text this system reads and writes, in one place.
// docs/vcard.md describes the format and what is mapped where.
#include <cstddef>
#include <string_view>

namespace vcf {

// Lines of written cards end in CR LF and are folded so that no line exceeds this many octets
// (the line break excluded); a folded line goes on after CR LF and one blank.
inline constexpr size_t kFoldOctets = 75;
inline constexpr std::string_view kLineEnd = "\r\n";

// Card framing.
inline constexpr std::string_view kBegin = "BEGIN";
inline constexpr std::string_view kEnd = "END";
inline constexpr std::string_view kVCard = "VCARD";
inline constexpr std::string_view kVersion = "VERSION";
inline constexpr std::string_view kAgent = "AGENT";

// Parameters.
inline constexpr std::string_view kParamType = "TYPE";
inline constexpr std::string_view kParamEncoding = "ENCODING";
inline constexpr std::string_view kParamCharset = "CHARSET";
inline constexpr std::string_view kParamValue = "VALUE";
inline constexpr std::string_view kParamServiceType = "X-SERVICE-TYPE";
// The contact field a value came from, as a hexadecimal property number ("0x98"), written where
// the types alone would put the value into another field on reading.
inline constexpr std::string_view kParamField = "X-BREVANE-FIELD";
// The address format index of an address, written when it is not 0.
inline constexpr std::string_view kParamAddressFormat = "X-BREVANE-FORMAT";

// Transfer encodings.
inline constexpr std::string_view kQuotedPrintable = "QUOTED-PRINTABLE";
inline constexpr std::string_view kBase64 = "BASE64";
inline constexpr std::string_view kBase64Short = "B";

// The label of the other properties of the same group ("item1.X-ABLabel").
inline constexpr std::string_view kLabelProperty = "X-ABLABEL";

// The default character set of a value without CHARSET, and the one assumed when such a value
// is not valid in it (the common single-byte code page of older desktop exports).
inline constexpr std::string_view kDefaultCharset = "UTF-8";
inline constexpr std::string_view kFallbackCharset = "windows-1252";

}  // namespace vcf
