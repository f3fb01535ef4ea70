#include "platform/registry/Sql.h"

#include <sqlite3.h>

namespace plat::sql {

namespace {

[[noreturn]] void Throw(sqlite3* db, int rc) {
    throw Failure(rc & 0xFF, std::string(sqlite3_errstr(rc)) + ": " + sqlite3_errmsg(db));
}

}  // namespace

bool IsDamage(int code) { return code == SQLITE_CORRUPT || code == SQLITE_NOTADB; }

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) Throw(db, rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

Statement& Statement::BindBlob(int index, const std::vector<uint8_t>& bytes) {
    // A zero-length blob is still a blob, never NULL.
    const int rc = sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                                     static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) Throw(db_, rc);
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Throw(db_, rc);
}

int64_t Statement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::Text(int column) const {
    const auto* text = sqlite3_column_text(stmt_, column);
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text),
                                                         static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::vector<uint8_t> Statement::Blob(int column) const {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
    return bytes == nullptr ? std::vector<uint8_t>()
                            : std::vector<uint8_t>(bytes, bytes + sqlite3_column_bytes(stmt_, column));
}

void Exec(sqlite3* db, const char* sql) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) Throw(db, rc);
}

int64_t QueryInt(sqlite3* db, std::string_view sql) {
    Statement statement(db, sql);
    return statement.Step() ? statement.Int(0) : 0;
}

WriteTransaction::WriteTransaction(sqlite3* db) : db_(db) { Exec(db, "BEGIN IMMEDIATE"); }

WriteTransaction::~WriteTransaction() {
    if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::Commit() {
    Exec(db_, "COMMIT");
    open_ = false;
}

}  // namespace plat::sql
