#pragma once
// The desktop addresses the stand-ins hand to xdg-open for what the device asked them to do.
#include <string>
#include <string_view>

namespace plat {

// For the messaging program's command line: `-service "SMS" -To "Name<5551234567>"` gives
// "sms:+15551234567" on a US device (the number in E.164 form, E164.h), `-To "a@example.org"` gives
// "mailto:a@example.org" (an address in <...> is taken from inside them). Characters other than letters,
// digits and "@.+-_~" are written %XX. Empty when the command line names no recipient.
std::string MessagingAddress(std::u16string_view commandLine);

// For a call: "tel:" and the number in E.164 form for the device's country (E164.h), encoded as
// above.
std::string TelAddress(std::u16string_view number);

// For the browser's command line: an address with the scheme http, https or ftp as it is, one
// beginning with "www." as http; empty for anything else (files and other schemes stay on the
// device).
std::string WebAddress(std::u16string_view commandLine);

}  // namespace plat
