#pragma once
// The SQLite peer of an import: one file database (WAL, synchronous NORMAL, as the object store
// runs) with a contacts table of the texts a list and a search need, the note and the picture, and
// an FTS5 table of each contact's words kept with it. A file's contacts go in as one transaction,
// as a batched import into the store commits them.
#include <filesystem>
#include <vector>

#include "store/vcard/CardToContact.h"

struct sqlite3;
struct sqlite3_stmt;

class SqlitePeer {
public:
    // Creates the database at `path`; throws on an SQLite error.
    explicit SqlitePeer(const std::filesystem::path& path);
    ~SqlitePeer();
    SqlitePeer(const SqlitePeer&) = delete;
    SqlitePeer& operator=(const SqlitePeer&) = delete;

    // Inserts the contacts and their words in one transaction; throws on an SQLite error.
    void Add(const std::vector<ImportedContact>& contacts);
    // The rows of the contacts table.
    int Count() const;

private:
    void Exec(const char* sql) const;
    void Step(sqlite3_stmt* statement) const;
    void AddOne(const ImportedContact& imported);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* contact_ = nullptr;
    sqlite3_stmt* words_ = nullptr;
};

// The peer's whole import as a program of its own would run it: reads and parses the vCard file,
// inserts every contact into a new database at `database`, prints the row count. Returns the exit
// status.
int RunPeerImport(const std::filesystem::path& vcards, const std::filesystem::path& database);
