#pragma once
// Conversions between the UTF-16 text of the system and the UTF-8 of the host.
#include <string>
#include <string_view>

namespace plat {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace plat
