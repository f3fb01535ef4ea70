#pragma once
// A thin layer over SQLite for the registry: prepared statements that throw on failure.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace plat::sql {

// An SQLite call failed; `code` is its primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...).
class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& message) : std::runtime_error(message), code(code) {}
    int code;
};

// True for the result codes that mean the file itself is damaged or not a database.
bool IsDamage(int code);

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, const std::vector<uint8_t>& bytes);

    // Runs to the next row: true when there is one, false when the statement is done.
    bool Step();
    int64_t Int(int column) const;
    std::string Text(int column) const;
    std::vector<uint8_t> Blob(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs statements that return no rows.
void Exec(sqlite3* db, const char* sql);

// The single integer a statement such as "PRAGMA user_version" returns.
int64_t QueryInt(sqlite3* db, std::string_view sql);

// A write transaction (BEGIN IMMEDIATE, so a writer waits for the lock up front instead of failing
// half way); rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void Commit();

private:
    sqlite3* db_;
    bool open_ = true;
};

}  // namespace plat::sql
