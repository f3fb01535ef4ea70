#pragma once
// A thin layer over SQLite for the registry and the object store: prepared statements that throw
// on failure, and (for connections that ask for it) statements kept prepared and reused.
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
[[nodiscard]] bool IsDamage(int code);

// Prepares `sql` on `db`. On a connection that keeps its statements (KeepStatements) the statement
// prepared for the same text before is reused: it is reset and its bindings cleared when this
// object ends. A kept statement that is still being stepped (the same text asked for again inside
// its loop) is not shared: the second use gets a statement of its own.
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
    [[nodiscard]] bool Step();
    // Runs a statement for its effect (an INSERT, UPDATE, DELETE) one step; a failure throws as in Step.
    void Execute();
    int64_t Int(int column) const;
    std::string Text(int column) const;
    std::vector<uint8_t> Blob(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool* kept_ = nullptr;  // the in-use mark of a kept statement; null for one of this object's own
};

// From now on the statements prepared on `db` are kept and reused until ForgetStatements, which
// must come before the connection is closed. Thread-safe; the statements of one connection are
// used by one thread at a time (as the connection itself).
void KeepStatements(sqlite3* db);
void ForgetStatements(sqlite3* db);

// Runs statements that return no rows.
void Exec(sqlite3* db, const char* sql);

// The rows the connection's last finished INSERT, UPDATE or DELETE changed.
int64_t Changes(sqlite3* db);

// True while a transaction is open on the connection.
[[nodiscard]] bool InTransaction(sqlite3* db);
// Rolls back the open transaction; a failure is ignored (the transaction ends either way).
void Abort(sqlite3* db);

// Runs one statement that returns no rows (prepared once on a connection that keeps statements).
void Run(sqlite3* db, std::string_view sql);

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
