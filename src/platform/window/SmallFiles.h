#pragma once
// Whole-file reads and replacements of the small files of the window system.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace plat {

// The file's bytes; nothing when it is missing, not a regular file or longer than `maxBytes`.
std::optional<std::vector<uint8_t>> ReadSmallFile(const std::filesystem::path& file, size_t maxBytes);

// Replaces the file whole (a temporary file renamed over it), so readers see old or new bytes.
[[nodiscard]] bool ReplaceSmallFile(const std::filesystem::path& file, std::span<const uint8_t> bytes);

}  // namespace plat
