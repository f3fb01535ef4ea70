#pragma once
// Conversions between the UTF-16 text of the system and the UTF-8 of the host.
#include <string>
#include <string_view>

namespace plat {

// Unpaired surrogates and ill-formed UTF-8 sequences become U+FFFD; nothing else is changed.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// True when every surrogate of the text is part of a pair (the text converts without loss).
[[nodiscard]] bool IsValidUtf16(std::u16string_view text);

}  // namespace plat
