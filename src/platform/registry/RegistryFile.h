#pragma once
// Opening registry.db: creating a new file, or checking that an existing one is a registry of a
// known version and undamaged before anything is written to it.
#include <filesystem>
#include <string>

struct sqlite3;

namespace plat {

// Opens the registry file (creating it when missing or empty) in WAL mode with a busy timeout.
// Throws RegistryError for a file that is not a registry, of another version, or damaged; such a
// file is left exactly as it was.
sqlite3* OpenRegistryFile(const std::filesystem::path& file);

std::string DamageMessage(const std::filesystem::path& file, const std::string& detail);

}  // namespace plat
