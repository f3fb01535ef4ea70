#pragma once
// The layout of a volume file (docs/objectstore.md describes it). Every constant of the file lives
// here.
#include <cstddef>
#include <cstdint>

namespace plat::volformat {

// PRAGMA application_id ("PIMV" in ASCII) and PRAGMA user_version of the layout below. Both are
// read from the file header (big-endian at offsets 68 and 60) before SQLite touches the file.
inline constexpr uint32_t kApplicationId = 0x50494D56;
inline constexpr uint32_t kVersion = 1;

inline constexpr size_t kHeaderSize = 100;
inline constexpr char kHeaderMagic[16] = "SQLite format 3";  // with its NUL: 16 bytes
inline constexpr size_t kPageSizeOffset = 16;
inline constexpr size_t kUserVersionOffset = 60;
inline constexpr size_t kApplicationIdOffset = 68;

// Milliseconds a connection waits for another process's write before it gives up.
inline constexpr int kBusyTimeoutMs = 10000;

// The first object identifier a new volume hands out; identifiers only grow.
inline constexpr int64_t kFirstOid = 0x10001;
inline constexpr int64_t kLastOid = 0xFFFFFFFF;

// Journal rows kept at most, however far behind a listener is; a listener that falls further
// behind is told to reload everything.
inline constexpr int64_t kJournalBound = 65536;

// Journal rows kept after every listener has seen them (all rows when nobody listens), so that an
// open handle brings its order up to date from the changes instead of reading every record again.
inline constexpr int64_t kJournalKept = 4096;

// The tables a volume must hold.
inline constexpr const char* kTables[] = {"meta",    "databases", "sort_orders", "sort_props", "counters",
                                          "records", "props",     "journal",     "listeners"};

inline constexpr const char* kSchema = R"sql(
CREATE TABLE meta(key TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID;
CREATE TABLE databases(
  oid INTEGER PRIMARY KEY,
  name BLOB NOT NULL,
  folded BLOB NOT NULL UNIQUE,
  type INTEGER NOT NULL,
  flags INTEGER NOT NULL,
  modified INTEGER NOT NULL);
CREATE TABLE sort_orders(
  db INTEGER NOT NULL,
  ord INTEGER NOT NULL,
  key_flags INTEGER NOT NULL,
  PRIMARY KEY(db, ord)) WITHOUT ROWID;
CREATE TABLE sort_props(
  db INTEGER NOT NULL,
  ord INTEGER NOT NULL,
  pos INTEGER NOT NULL,
  prop_id INTEGER NOT NULL,
  flags INTEGER NOT NULL,
  PRIMARY KEY(db, ord, pos)) WITHOUT ROWID;
CREATE TABLE counters(
  db INTEGER NOT NULL,
  num INTEGER NOT NULL,
  next INTEGER NOT NULL,
  PRIMARY KEY(db, num)) WITHOUT ROWID;
CREATE TABLE records(oid INTEGER PRIMARY KEY, db INTEGER NOT NULL);
CREATE INDEX records_by_db ON records(db, oid);
CREATE TABLE props(
  owner INTEGER NOT NULL,
  num INTEGER NOT NULL,
  type INTEGER NOT NULL,
  value NOT NULL,
  PRIMARY KEY(owner, num)) WITHOUT ROWID;
CREATE TABLE journal(
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  type INTEGER NOT NULL,
  parent INTEGER NOT NULL,
  oid INTEGER NOT NULL);
CREATE TABLE listeners(id TEXT PRIMARY KEY, pid INTEGER NOT NULL, seen INTEGER NOT NULL) WITHOUT ROWID;
PRAGMA application_id = 1346981206;
PRAGMA user_version = 1;
)sql";

}  // namespace plat::volformat
