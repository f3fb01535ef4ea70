#pragma once
// Text in double quotes, as messages name a file, a contact or an add-in and as shortcuts hold a
// path. Built by appending to the opening quote: GCC 12 at -O3 takes `"\"" + a temporary string`
// for an overlapping copy and warns (-Wrestrict), and the project's builds make warnings errors.
#include <string>
#include <string_view>

inline std::u16string Quoted(std::u16string_view text) {
    std::u16string quoted(1, u'"');
    quoted.append(text).append(1, u'"');
    return quoted;
}

inline std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).append(1, '"');
    return quoted;
}
