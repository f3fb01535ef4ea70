#pragma once
// The words of a contact, in the order they are indexed: its 58 texts, its two dates as the user
// reads them (ContactDate.h), its phone numbers again with their trailing-digit keys, its further
// values (further numbers with their keys too; inline binary data left out), its note.
#include <string>
#include <string_view>
#include <vector>

class Contact;

struct IndexWord {
    std::u16string text;    // lower-cased token, or a phone key
    bool textOnly = false;  // phone keys go into the text tree only, without a group key
};

std::vector<IndexWord> ContactWords(const Contact& contact, std::u16string_view note);
