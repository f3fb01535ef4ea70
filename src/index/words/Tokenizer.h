#pragma once
// How texts become words: maximal runs of characters outside the index separators, each
// lower-cased one UTF-16 unit at a time, and their folded spellings (plat::FoldText); how a typed
// word is looked up among them; and the keys that make phone numbers findable by their trailing
// digits.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Calls `take` with each lower-cased token of `text`, in order.
void ForEachToken(std::u16string_view text, const std::function<void(std::u16string_view)>& take);
std::vector<std::u16string> Tokens(std::u16string_view text);

// The folded spelling of a lower-cased token ("müller" gives "muller"), cut like a token; empty
// when it is the token itself. The index holds it beside the token.
std::u16string FoldedSpelling(std::u16string_view token);
// The spelling a typed, lower-cased token is looked up by among the tokens and their folded
// spellings: the token itself when it carries a mark or a letter that folding replaces ("mül"
// finds "müller", not "mulder"), otherwise its folded spelling ("muller" finds "müller" and
// "muller", "weiss" finds "weiß").
std::u16string SearchSpelling(std::u16string_view token);

// The phone number `number` cut before its last number: scanning back from the end, past
// non-digits, past the run of digits and number punctuation "1234567890-+()*# .", to the digit
// before it; the text up to that digit. Empty when the scan runs out (below 6 in the first two
// scans, below 5 in the third).
std::u16string_view Shorten(std::u16string_view number);
// The trailing-digit keys of `number`: "~" and its digits reversed, then the same for each
// shortened text while it has at least six characters and a digit.
std::vector<std::u16string> PhoneKeys(std::u16string_view number);
