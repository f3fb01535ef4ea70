#pragma once
// The transfer encodings of vCard values: base64 (ENCODING=BASE64 in 2.1, ENCODING=b in 3.0,
// data: URIs in 4.0) and quoted-printable (2.1).
#include <string>
#include <string_view>

// Decodes base64 text; white space is skipped and the closing '=' padding may be missing.
// False (and `out` unspecified) for any other character, for data after the padding, or for
// a lone final character that cannot carry a byte.
[[nodiscard]] bool DecodeBase64(std::string_view text, std::string& out);

// The bytes in base64 with padding, on one line.
std::string EncodeBase64(std::string_view bytes);

// Decodes hexadecimal escapes: `marker` and two hexadecimal digits (either case) are one byte;
// a marker that does not begin such a pair stays as it is, as careless writers leave them.
std::string DecodeHexEscapes(std::string_view text, char marker);

// Quoted-printable: "=XX" escapes.
inline std::string DecodeQuotedPrintable(std::string_view text) {
    return DecodeHexEscapes(text, '=');
}
