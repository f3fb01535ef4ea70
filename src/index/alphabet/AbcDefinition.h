#pragma once
// An alphabet definition: the buttons of the alphabet bar and the letter group of each.
//
// Its text is a list of entries separated by blanks. An entry is a label, a slash or backslash,
// and the member characters: "ABC/ABCÄ". A caret in the label splits it into the button's first
// and second line: "ABC^АБВГ/ABCАБВГ". Word separators are dropped from the members and blanks
// from the labels; an entry whose label or members end up empty is ignored.
#include <string_view>

#include "core/array/Array.h"
#include "core/str/Str.h"

struct AbcDefinition {
    Array<Str> labels;       // the first line of each button
    Array<Str> secondLines;  // the second line of each button, empty when it has none
    Array<Str> groups;       // the member characters of each group, as written
    bool hasSecondLines = false;  // some button has a second line
    Str source;              // the whole text the definition was read from

    int GroupCount() const { return groups.GetSize(); }
};

// Reads a definition from its text. False, with `out` left empty, when no entry is accepted.
[[nodiscard]] bool ParseAbcDefinition(std::u16string_view text, AbcDefinition& out);
