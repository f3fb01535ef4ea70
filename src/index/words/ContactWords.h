#pragma once
// The words of a contact, in the order they are indexed: its 58 texts, its two dates as short
// dates, its phone numbers again with their trailing-digit keys, its further values, its note.
#include <string>
#include <string_view>
#include <vector>

class Contact;

struct IndexWord {
    std::u16string text;    // lower-cased token, or a phone key
    bool textOnly = false;  // phone keys go into the text tree only, without a group key
};

std::vector<IndexWord> ContactWords(const Contact& contact, std::u16string_view note);

// The device's short date of a file time (days since 1601), as dates are indexed.
std::u16string ShortDateText(uint64_t fileTime);
