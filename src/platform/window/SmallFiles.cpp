#include "platform/window/SmallFiles.h"

#include "platform/shm/ImageFile.h"

namespace plat {

std::optional<std::vector<uint8_t>> ReadSmallFile(const std::filesystem::path& file, size_t maxBytes) {
    InputFile in;
    if (!in.Open(file) || in.Size() > maxBytes) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(in.Size()));
    if (!in.ReadAll(bytes)) return std::nullopt;
    return bytes;
}

bool ReplaceSmallFile(const std::filesystem::path& file, std::span<const uint8_t> bytes) {
    FileReplacement replacement(file);
    return replacement.Begin() && replacement.Write(bytes) && replacement.Commit();
}

}  // namespace plat
