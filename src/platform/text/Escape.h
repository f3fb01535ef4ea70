#pragma once
// Writing text on one line of a line-based log or listing.
#include <string>
#include <string_view>

namespace plat {

// Replaces tab, line feed and carriage return by \t, \n and \r and every other control character
// below 0x20 and DEL by \xNN; everything else (backslashes included) stays as it is.
std::string EscapeControls(std::string_view text);

}  // namespace plat
