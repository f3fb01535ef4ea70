#pragma once
#include "core/str/Str.h"

// The text with white space trimmed at both ends.
inline Str TrimBoth(Str text) {
    text.TrimLeft();
    text.TrimRight();
    return text;
}
