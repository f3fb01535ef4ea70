#pragma once
// VCardWriter: neutral VCard models as vCard 3.0 text (UTF-8, CR LF line ends, folded lines).
#include <string>
#include <string_view>

#include "store/vcard/VCard.h"

class VCardWriter {
public:
    // Appends "BEGIN:VCARD", "VERSION:3.0", every property of the card but VERSION, and
    // "END:VCARD". A property's value is written as it stands (escaped text), or, when it is
    // binary, as base64 with ENCODING=b. Parameter values holding ';', ':' or ',' are quoted
    // (a double quote inside becomes a single one, the only character 3.0 cannot carry there).
    static void Append(const VCard& card, std::string& out);

    // One content line folded: no line longer than 75 octets, folds never inside a UTF-8
    // sequence, each continuation line starting with a blank; every line ends with CR LF.
    static void AppendFolded(std::string_view line, std::string& out);
};
