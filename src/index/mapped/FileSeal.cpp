#include "index/mapped/FileSeal.h"

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/mapped/Crc32c.h"

using namespace IndexFormat;

void StampFileLength(uint8_t* image, uint32_t length) {
    StoreWord(image + length - kLengthWordBytes, length + kFileExtraBytes);
}

bool IsSealedFile(const uint8_t* file, uint64_t size) {
    return HasFileSeal(file + size - kFileLengthFromEnd, size, Crc32c(file, size - kChecksumFromEnd));
}

bool HasFileSeal(const uint8_t* lastEight, uint64_t size, uint32_t bodyCrc) {
    return LoadWord(lastEight) == size &&
           LoadWord(lastEight + kFileLengthFromEnd - kChecksumFromEnd) == bodyCrc;
}

std::vector<uint8_t> SealImage(std::span<const uint8_t> image) {
    std::vector<uint8_t> file(image.begin(), image.end());
    const auto length = static_cast<uint32_t>(file.size());
    StampFileLength(file.data(), length);
    file.resize(length + kFileExtraBytes);
    StoreWord(file.data() + length, Crc32c(file.data(), length));
    return file;
}
