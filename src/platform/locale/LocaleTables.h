#pragma once
// Fixed facts about languages and countries that ICU does not give in the form the system uses.
#include <cstdint>
#include <string_view>

namespace plat {

// The Windows language identifier for a language ("de") and country ("AT"): the country's own
// identifier when the table has one, else the language's main one, else 0x0409 (English, US).
uint16_t WindowsLanguageId(std::string_view language, std::string_view country);

// The international calling code of an ISO 3166 country ("DE" gives 49); 0 when unknown.
uint32_t CallingCode(std::string_view country);

}  // namespace plat
