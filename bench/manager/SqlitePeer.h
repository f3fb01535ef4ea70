#pragma once
// The SQLite peer of an import: one file database (WAL, synchronous NORMAL, as the object store
// runs) with a contacts table of the texts a list and a search need, the note and the picture, and
// an FTS5 table of each contact's words kept with it; every contact is inserted in a transaction
// of its own, as each contact is one committed write to the store.
#include <filesystem>

#include "app/cli/DemoContacts.h"

struct sqlite3;
struct sqlite3_stmt;

class SqlitePeer {
public:
    // Creates the database at `path`; throws on an SQLite error.
    explicit SqlitePeer(const std::filesystem::path& path);
    ~SqlitePeer();
    SqlitePeer(const SqlitePeer&) = delete;
    SqlitePeer& operator=(const SqlitePeer&) = delete;

    // Inserts the contact and its words; throws on an SQLite error.
    void Add(const DemoContact& demo);
    // The rows of the contacts table.
    int Count() const;

private:
    void Exec(const char* sql) const;
    void Step(sqlite3_stmt* statement) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* contact_ = nullptr;
    sqlite3_stmt* words_ = nullptr;
};
