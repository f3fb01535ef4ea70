#pragma once
// Parsing one unfolded content line: [group "."] name *(";" param) ":" value.
#include <string>
#include <string_view>

#include "store/vcard/VCard.h"

// Fills the group, upper-case name, parameters and raw value of `property` from `line`.
// The name runs to the first ';' or ':' (blanks in it become '-': "X-GOOGLE TALK").
// Parameters: "NAME=a,b" (values in double quotes may hold ';', ':' and ','; in 4.0 the caret
// escapes ^n ^' ^^ are resolved), and the bare words of 2.1 ("TEL;HOME;VOICE:"), which become
// ENCODING (QUOTED-PRINTABLE, BASE64, 8BIT, 7BIT), VALUE (INLINE, URL, CONTENT-ID, CID) or TYPE;
// a parameter whose name is no name ("X-CUSTOM(CHARSET=UTF-8,...)") is taken as a bare word.
// TYPE values are split at commas inside quotes too ("TYPE=\"home,voice\"").
// False with `reason` set when the line has no name, no ':' or an unclosed quote.
[[nodiscard]] bool ParseContentLine(std::string_view line, VCardVersion version, VCardProperty& property,
                                    std::string& reason);
