#include "platform/registry/Registry.h"

namespace plat {

RegValue RegValue::Dword(uint32_t v) {
    return {REG_DWORD, {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                        static_cast<uint8_t>(v >> 24)}};
}

RegValue RegValue::String(std::u16string_view text) {
    RegValue value{REG_SZ, {}};
    value.data.reserve((text.size() + 1) * 2);
    for (const char16_t unit : text) {
        value.data.push_back(static_cast<uint8_t>(unit));
        value.data.push_back(static_cast<uint8_t>(unit >> 8));
    }
    value.data.insert(value.data.end(), {0, 0});
    return value;
}

RegValue RegValue::Binary(std::vector<uint8_t> bytes) { return {REG_BINARY, std::move(bytes)}; }

std::optional<uint32_t> RegValue::AsDword() const {
    if (type != REG_DWORD || data.size() != 4) return std::nullopt;
    return static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
           static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
}

std::optional<std::u16string> RegValue::AsString() const {
    if (type != REG_SZ) return std::nullopt;
    std::u16string text;
    // An odd last byte cannot be a whole unit and is ignored.
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) break;
        text += unit;
    }
    return text;
}

}  // namespace plat
