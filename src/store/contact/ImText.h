#pragma once
// Instant-messaging fields hold the service and the address in one text: "service: address", or
// the address alone when the service is empty.
#include "core/str/Str.h"

struct ImParts {
    Str service;
    Str address;
};

// The text before the first colon is the service, the rest the address, each trimmed of white
// space at both ends; a text without a colon is all address.
ImParts SplitIm(const Str& text);
Str JoinIm(const Str& service, const Str& address);
