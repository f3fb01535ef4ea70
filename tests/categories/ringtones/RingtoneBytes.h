#pragma once
// Builds the bytes of a `Category ringtones.inf` file for tests, damaged ones included.
#include <cstdint>
#include <string>
#include <vector>

#include "categories/ringtones/RingtoneFile.h"

class RingtoneBytes {
public:
    explicit RingtoneBytes(uint32_t magic = kRingtoneFileMagic, uint16_t version = kRingtoneFileVersion) {
        U16(static_cast<uint16_t>(magic)), U16(static_cast<uint16_t>(magic >> 16)), U16(version), U16(0);
    }
    // One record; the header's count grows with it.
    RingtoneBytes& Record(const std::u16string& name, const std::u16string& path) {
        for (const std::u16string* text : {&name, &path}) {
            U16(static_cast<uint16_t>(text->size()));
            for (char16_t c : *text) U16(c);
            U16(0);
        }
        return Count(static_cast<uint16_t>(bytes_[6] | (bytes_[7] << 8)) + 1);
    }
    RingtoneBytes& Count(uint16_t count) {
        bytes_[6] = static_cast<uint8_t>(count), bytes_[7] = static_cast<uint8_t>(count >> 8);
        return *this;
    }
    // Drops the last `n` bytes.
    std::vector<uint8_t> Cut(size_t n) const { return {bytes_.begin(), bytes_.end() - static_cast<long>(n)}; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    void U16(uint16_t v) {
        bytes_.push_back(static_cast<uint8_t>(v));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
    }

    std::vector<uint8_t> bytes_;
};
