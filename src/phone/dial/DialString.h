#pragma once
// Calling-card dial strings. In a card's format "@" stands for the number; each "-" directly in
// front of the first "@" removes one character from the start of the number, each "-" directly
// behind it one from its end.
#include "core/str/Str.h"

// An empty format gives the number; a format without "@" gives the format itself; otherwise the
// format before the leading "-" run, the shortened number, the format after the trailing run.
Str ComposeDialString(const Str& format, const Str& number);
