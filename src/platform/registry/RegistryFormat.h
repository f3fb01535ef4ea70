#pragma once
// The layout of registry.db (docs/registry.md describes it). Every constant of the file lives here.
#include <cstdint>

namespace plat::regformat {

// PRAGMA application_id: "BREG" in ASCII; a database without it is not a registry.
inline constexpr int64_t kApplicationId = 0x42524547;
// PRAGMA user_version of the layout below.
inline constexpr int64_t kVersion = 1;

// The two hive roots are rows of `keys` with these fixed identifiers and no parent.
inline constexpr int64_t kCurrentUserRoot = 1;
inline constexpr int64_t kLocalMachineRoot = 2;

// Milliseconds a connection waits for another process's write before it gives up.
inline constexpr int kBusyTimeoutMs = 10000;

inline constexpr const char* kSchema = R"sql(
CREATE TABLE keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER REFERENCES keys(id),
  name TEXT NOT NULL,
  folded TEXT NOT NULL,
  UNIQUE(parent, folded));
CREATE TABLE entries(
  key INTEGER NOT NULL REFERENCES keys(id),
  name TEXT NOT NULL,
  folded TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, folded));
INSERT INTO keys(id, parent, name, folded) VALUES (1, NULL, 'HKEY_CURRENT_USER', ''),
                                                  (2, NULL, 'HKEY_LOCAL_MACHINE', '');
PRAGMA application_id = 1112687943;
PRAGMA user_version = 1;
)sql";

}  // namespace plat::regformat
