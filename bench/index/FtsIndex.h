#pragma once
// The SQLite peer: an in-memory database with an FTS5 table (a text column and a group-key column,
// prefix indexes for 1, 2 and 3 characters) joined by rowid to a contacts table that holds each
// contact's place in the name order; results are ordered by that place, as the list shows them. A
// table of (category, contact) pairs indexed by category answers the category filter.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "BenchContacts.h"
#include "index/words/SearchTypes.h"

struct sqlite3;
struct sqlite3_stmt;

class FtsIndex {
public:
    // Loads every row; `order` gives the name-order place of each OID. Throws on an SQLite error.
    FtsIndex(std::span<const uint32_t> order, std::span<const WordRow> rows);
    ~FtsIndex();
    FtsIndex(const FtsIndex&) = delete;
    FtsIndex& operator=(const FtsIndex&) = delete;

    // Contacts having, for every token of `query`, a word that begins with it in the chosen column.
    OidVector Search(std::u16string_view query, SearchTree tree) const;
    // The contacts having any of the categories `ids` (with none: the numbered contacts without a
    // category), in name order.
    OidVector Filter(std::span<const uint32_t> ids) const;
    // The database size: pages in use times the page size.
    uint64_t Bytes() const;

private:
    void Exec(const char* sql) const;
    void Load(std::span<const uint32_t> order, std::span<const WordRow> rows) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* query_ = nullptr;
    sqlite3_stmt* uncategorised_ = nullptr;
};
