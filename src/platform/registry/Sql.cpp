#include "platform/registry/Sql.h"

#include <sqlite3.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace plat::sql {

namespace {

[[noreturn]] void Throw(sqlite3* db, int rc) {
    throw Failure(rc & 0xFF, std::string(sqlite3_errstr(rc)) + ": " + sqlite3_errmsg(db));
}

sqlite3_stmt* Prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) Throw(db, rc);
    return stmt;
}

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// The kept statements of one connection, by their text.
class KeptStatements {
public:
    ~KeptStatements() {
        for (auto& [text, kept] : kept_) sqlite3_finalize(kept->stmt);
    }

    struct Kept {
        sqlite3_stmt* stmt = nullptr;
        bool inUse = false;
    };

    // The statement for `sql`, marked in use; null when the kept one is in use already.
    Kept* Take(sqlite3* db, std::string_view sql) {
        auto found = kept_.find(sql);
        if (found == kept_.end()) {
            auto kept = std::make_unique<Kept>();
            kept->stmt = Prepare(db, sql);
            found = kept_.emplace(std::string(sql), std::move(kept)).first;
        }
        if (found->second->inUse) return nullptr;
        found->second->inUse = true;
        return found->second.get();
    }

private:
    std::unordered_map<std::string, std::unique_ptr<Kept>, TextHash, std::equal_to<>> kept_;
};

std::mutex keptMutex;
std::map<sqlite3*, std::unique_ptr<KeptStatements>> keptByConnection;

KeptStatements* KeptFor(sqlite3* db) {
    std::lock_guard lock(keptMutex);
    const auto found = keptByConnection.find(db);
    return found == keptByConnection.end() ? nullptr : found->second.get();
}

}  // namespace

bool IsDamage(int code) { return code == SQLITE_CORRUPT || code == SQLITE_NOTADB; }

void KeepStatements(sqlite3* db) {
    std::lock_guard lock(keptMutex);
    keptByConnection.emplace(db, std::make_unique<KeptStatements>());
}

void ForgetStatements(sqlite3* db) {
    std::unique_ptr<KeptStatements> kept;
    std::lock_guard lock(keptMutex);
    const auto found = keptByConnection.find(db);
    if (found == keptByConnection.end()) return;
    kept = std::move(found->second);
    keptByConnection.erase(found);
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (KeptStatements* kept = KeptFor(db)) {
        if (KeptStatements::Kept* statement = kept->Take(db, sql)) {
            stmt_ = statement->stmt;
            kept_ = &statement->inUse;
            return;
        }
    }
    stmt_ = Prepare(db, sql);
}

Statement::~Statement() {
    if (kept_ == nullptr) {
        sqlite3_finalize(stmt_);
        return;
    }
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    *kept_ = false;
}

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

void Statement::Execute() {
    (void)Step();  // whether a row came is no concern of a statement run for its effect
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

void Run(sqlite3* db, std::string_view sql) { Statement(db, sql).Execute(); }

int64_t Changes(sqlite3* db) { return sqlite3_changes64(db); }

bool InTransaction(sqlite3* db) { return sqlite3_get_autocommit(db) == 0; }

void Abort(sqlite3* db) { sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); }

int64_t QueryInt(sqlite3* db, std::string_view sql) {
    Statement statement(db, sql);
    return statement.Step() ? statement.Int(0) : 0;
}

WriteTransaction::WriteTransaction(sqlite3* db) : db_(db) { Run(db, "BEGIN IMMEDIATE"); }

WriteTransaction::~WriteTransaction() {
    if (open_) Abort(db_);
}

void WriteTransaction::Commit() {
    Run(db_, "COMMIT");
    open_ = false;
}

}  // namespace plat::sql
