#include "store/vcard/TransferEncoding.h"

#include <cstdint>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of a base64 character, -1 for any other character.
int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool DecodeBase64(std::string_view text, std::string& out) {
    out.clear();
    out.reserve(text.size() / 4 * 3 + 3);
    uint32_t bits = 0;
    int pending = 0;  // base64 characters taken since the last full group of four
    bool padded = false;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const int value = Base64Value(c);
        if (value < 0 || padded) return false;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        if (++pending == 4) {
            out += static_cast<char>(bits >> 16);
            out += static_cast<char>(bits >> 8);
            out += static_cast<char>(bits);
            bits = 0;
            pending = 0;
        }
    }
    if (pending == 1) return false;
    if (pending >= 2) out += static_cast<char>(bits >> (pending == 2 ? 4 : 10));
    if (pending == 3) out += static_cast<char>(bits >> 2);
    return true;
}

std::string EncodeBase64(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k) {
            const uint8_t byte = k < count ? static_cast<uint8_t>(bytes[i + k]) : 0;
            group = (group << 8) | byte;
        }
        for (size_t k = 0; k < 4; ++k) {
            text += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    return text;
}

std::string DecodeHexEscapes(std::string_view text, char marker) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == marker && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}
