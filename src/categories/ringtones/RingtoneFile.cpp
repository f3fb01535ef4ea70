#include "categories/ringtones/RingtoneFile.h"

namespace {

// Reads little-endian fields from the front of a byte span; every read checks the room left.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::optional<uint16_t> U16() {
        if (bytes_.size() < 2) return std::nullopt;
        const uint16_t value = static_cast<uint16_t>(bytes_[0] | (bytes_[1] << 8));
        bytes_ = bytes_.subspan(2);
        return value;
    }
    std::optional<uint32_t> U32() {
        const std::optional<uint16_t> low = U16();
        const std::optional<uint16_t> high = U16();
        if (!low || !high) return std::nullopt;
        return static_cast<uint32_t>(*low) | (static_cast<uint32_t>(*high) << 16);
    }
    // A counted text: the length, then length + 1 units; the text is cut at its first NUL.
    std::optional<Str> Text() {
        const std::optional<uint16_t> length = U16();
        if (!length || *length > kRingtoneFileMaxLength) return std::nullopt;
        const size_t units = static_cast<size_t>(*length) + 1;
        if (bytes_.size() < units * 2) return std::nullopt;
        std::u16string text;
        for (size_t i = 0; i < *length; ++i) {
            const char16_t unit = static_cast<char16_t>(bytes_[2 * i] | (bytes_[2 * i + 1] << 8));
            if (unit == 0) break;
            text.push_back(unit);
        }
        bytes_ = bytes_.subspan(units * 2);
        return Str(text);
    }

private:
    std::span<const uint8_t> bytes_;
};

}  // namespace

std::optional<std::vector<RingtoneRecord>> ParseRingtoneFile(std::span<const uint8_t> bytes) {
    Reader reader(bytes);
    const std::optional<uint32_t> magic = reader.U32();
    const std::optional<uint16_t> version = reader.U16();
    const std::optional<uint16_t> count = reader.U16();
    if (magic != kRingtoneFileMagic || version != kRingtoneFileVersion || !count || *count == 0) {
        return std::nullopt;
    }
    std::vector<RingtoneRecord> records;
    for (uint16_t i = 0; i < *count; ++i) {
        std::optional<Str> name = reader.Text();
        std::optional<Str> path = name ? reader.Text() : std::nullopt;
        if (!path) break;
        if (name->IsEmpty() || path->IsEmpty()) continue;
        records.push_back({std::move(*name), std::move(*path)});
    }
    return records;
}
