#pragma once
// Whole files as bytes, and index files made by hand the way the container writes them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/mapped/Crc32c.h"

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, std::span<const uint8_t> bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The file of an image: the file length over the image's last word, then the CRC-32C.
inline std::vector<uint8_t> ContainerFile(std::vector<uint8_t> image) {
    const auto length = static_cast<uint32_t>(image.size());
    StoreWord(image.data() + length - 4, length + IndexFormat::kFileExtraBytes);
    const uint32_t crc = Crc32c(image.data(), length);
    image.resize(length + 4);
    StoreWord(image.data() + length, crc);
    return image;
}
