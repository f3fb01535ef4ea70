#pragma once
// Files of a test device read back and written whole, and texts as the UTF-16LE bytes the device
// stores.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a host file; empty when it cannot be read.
inline std::string ReadHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a host file as bytes; empty when it cannot be read.
inline std::vector<uint8_t> ReadHostBytes(const std::filesystem::path& file) {
    const std::string bytes = ReadHostFile(file);
    return {bytes.begin(), bytes.end()};
}

// Makes `file` hold exactly `bytes`, its folder made first; false when it cannot be written.
inline bool WriteHostFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

inline bool WriteHostText(const std::filesystem::path& file, std::string_view text) {
    return WriteHostFile(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// The UTF-16LE bytes of a text, without a terminator.
inline std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}
