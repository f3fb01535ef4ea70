#include "platform/programs/DesktopAddress.h"

#include <cstdio>

#include "platform/programs/E164.h"
#include "platform/text/Utf.h"

namespace plat {
namespace {

// The text of `option "..."` in the command line; nothing found gives an empty text.
std::string_view QuotedOption(std::string_view line, std::string_view option) {
    const size_t start = line.find(std::string(option) + " \"");
    if (start == std::string_view::npos) return {};
    const size_t from = start + option.size() + 2;
    const size_t end = line.find('"', from);
    return end == std::string_view::npos ? std::string_view() : line.substr(from, end - from);
}

std::string_view Recipient(std::string_view to) {
    const size_t open = to.rfind('<');
    if (open == std::string_view::npos || to.empty() || to.back() != '>') return to;
    return to.substr(open + 1, to.size() - open - 2);
}

bool Plain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("@.+-_~").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string PercentEncoded(std::string_view text) {
    std::string out;
    for (const unsigned char c : text) {
        if (Plain(c)) {
            out.push_back(static_cast<char>(c));
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            out += escape;
        }
    }
    return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string MessagingAddress(std::u16string_view commandLine) {
    const std::string line = ToUtf8(commandLine);
    const std::string_view to = Recipient(QuotedOption(line, "-To"));
    if (to.empty()) return {};
    if (QuotedOption(line, "-service") == "SMS")
        return "sms:" + PercentEncoded(E164Number(to, DeviceRegion()));
    return "mailto:" + PercentEncoded(to);
}

std::string TelAddress(std::u16string_view number) {
    return "tel:" + PercentEncoded(E164Number(ToUtf8(number), DeviceRegion()));
}

std::string WebAddress(std::u16string_view commandLine) {
    std::string address = ToUtf8(commandLine);
    while (!address.empty() && (address.back() == ' ' || address.back() == '"')) address.pop_back();
    while (!address.empty() && (address.front() == ' ' || address.front() == '"')) address.erase(0, 1);
    for (const char* scheme : {"http://", "https://", "ftp://"}) {
        if (StartsWith(address, scheme)) return address;
    }
    if (StartsWith(address, "www.")) return "http://" + address;
    return {};
}

}  // namespace plat
