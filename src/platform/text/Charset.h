#pragma once
// Decoding of text in a named character set (the CHARSET of imported cards, the code page of
// exported tables) into the system's UTF-16.
#include <string>
#include <string_view>

namespace plat {

enum class CharsetStatus {
    kOk,              // every byte sequence was valid in the character set
    kIllFormed,       // decoded, but some sequences were invalid or unmapped (now U+FFFD)
    kUnknownCharset,  // no such character set; nothing was decoded
};

// Decodes `bytes` in the character set named `charset`, matched case-insensitively with the
// usual aliases ("UTF-8", "ISO-8859-1", "latin1", "Windows-1250" to "Windows-1258", "KOI8-R",
// "Shift_JIS", "Big5", "UTF-16LE" ...). Each invalid or unmapped sequence becomes U+FFFD in `out`.
// An empty or unknown name leaves `out` empty.
CharsetStatus DecodeCharset(std::string_view charset, std::string_view bytes, std::u16string& out);

}  // namespace plat
