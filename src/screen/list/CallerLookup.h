#pragma once
// Finding the contact a request names: "name++--++number" as the caller-ID integration and the
// find-or-create switch hand it over. The number is looked up by its trailing digits (at least
// six); of several contacts with that number the one whose name (display name or File As text)
// equals the given name wins, else the first. Without a usable number, or when the number finds
// nobody, only a contact of exactly that name is taken.
#include <cstdint>
#include <string_view>

#include "core/str/Str.h"

class ContactManager;
class ContactSearch;

inline constexpr std::u16string_view kCallerMarker = u"++--++";

struct CallerRequest {
    Str name;    // trimmed; the whole text when there is no marker
    Str number;  // as given; empty when there is no marker
};

CallerRequest ParseCallerRequest(std::u16string_view text);

// The object identifier of the contact; 0 when none fits (the frame then opens a new contact).
uint32_t FindCaller(const CallerRequest& request, ContactSearch& search, ContactManager& manager);
