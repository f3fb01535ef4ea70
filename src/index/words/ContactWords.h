#pragma once
// The words of a contact, in the order they are indexed (each token followed by its folded
// spelling when that differs, Tokenizer.h): its texts (kTextFieldCount of them), its
// two dates as the user reads them (ContactDate.h), its phone numbers again with their
// trailing-digit keys, its further values (further numbers with their keys too; inline binary data
// left out), its note; and for a contact from the SIM card the key kSimContactKey.
#include <string>
#include <string_view>
#include <vector>

class Contact;

// The key a contact from the SIM card is indexed under in the text tree. It begins with a word
// separator, so no token of a contact's texts and no typed search is it or begins with it.
inline constexpr std::u16string_view kSimContactKey = u"\t~sim";

struct IndexWord {
    std::u16string text;  // lower-cased token, its folded spelling, or a phone key
    // Phone keys and folded spellings go into the text tree only, without a group key (a token's
    // group key already places its letters through folding).
    bool textOnly = false;
};

std::vector<IndexWord> ContactWords(const Contact& contact, std::u16string_view note);
