#pragma once
// Escapes of vCard text values. Reading resolves \\ \; \, \: and \n (or \N); any other backslash
// stays as it stands, as older writers left paths like C:\sounds unescaped. Line breaks inside a
// text are CR LF in the system, however the file wrote them.
#include <string>
#include <string_view>
#include <vector>

// The escapes resolved and every line break (escaped, CR LF, LF or CR) made CR LF.
std::u16string UnescapeText(std::u16string_view escaped);

// Splits an escaped value at each `separator` that is not escaped; each part is unescaped.
std::vector<std::u16string> SplitEscaped(std::u16string_view escaped, char16_t separator);

// Escapes backslash, ';' and ',' and writes each line break (CR LF, LF or CR) as \n.
std::u16string EscapeText(std::u16string_view text);

// Escapes each part and joins them with `separator` (a compound or list value).
std::u16string JoinEscaped(const std::vector<std::u16string>& parts, char16_t separator);
