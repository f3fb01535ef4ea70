#pragma once
// What the fuzz targets of the index files share: a temporary device made current once, and the
// input written as one of its files, either as it is or as an image sealed with its length word
// and checksum (so that the checks behind the container's are reached).
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/mapped/FileSeal.h"
#include "platform/device/Device.h"

inline const std::filesystem::path& FuzzDeviceRoot() {
    static const std::filesystem::path root = [] {
        char pattern[] = "/tmp/brevane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) abort();
        plat::SetCurrentDevice(std::make_unique<plat::Device>(pattern));
        return std::filesystem::path(pattern);
    }();
    return root;
}

// `data` as an image (padded to whole words) sealed into its file.
inline std::vector<uint8_t> SealedFile(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    image.resize(std::max<size_t>((size + 3) / 4 * 4, IndexFormat::kMinImageBytes), 0);
    return SealImage(image);
}

// Writes `bytes` as the file `name` in the device root.
inline void WriteDeviceFile(const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream(FuzzDeviceRoot() / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
