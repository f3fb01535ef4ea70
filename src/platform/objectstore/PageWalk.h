#pragma once
// Names the damaged page of a volume file when SQLite can only say "malformed": walks the b-trees
// from their root pages as the file holds them (page headers and child pointers, not the records)
// and returns the first page that is not a b-tree page of its tree's kind. Only the file itself is
// read: the caller walks it when no log holds newer pages.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace plat::objstore {

// `roots`: the root pages of the file's tables and indexes (page 1, the schema, is walked always).
std::optional<uint32_t> FirstDamagedPage(const std::filesystem::path& file, std::span<const uint32_t> roots);

}  // namespace plat::objstore
