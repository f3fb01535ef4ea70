#include "platform/registry/RegistryFile.h"

#include <sqlite3.h>

#include <chrono>
#include <system_error>
#include <thread>

#include "platform/device/HostFiles.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFormat.h"
#include "platform/registry/Sql.h"

namespace fs = std::filesystem;

namespace plat {

namespace {

[[noreturn]] void Fail(const fs::path& file, const std::string& why) {
    throw RegistryError("registry " + file.string() + ": " + why);
}

int64_t TableCount(sqlite3* db) { return sql::QueryInt(db, "SELECT count(*) FROM sqlite_schema"); }

// Creates the tables when the database is still empty; another process may be doing the same, so
// the check and the creation share one write transaction.
void CreateWhenEmpty(sqlite3* db) {
    sql::WriteTransaction transaction(db);
    if (TableCount(db) == 0) sql::Exec(db, regformat::kSchema);
    transaction.Commit();
}

void Validate(sqlite3* db, const fs::path& file) {
    const int64_t applicationId = sql::QueryInt(db, "PRAGMA application_id");
    if (applicationId != regformat::kApplicationId) Fail(file, "not a device registry (foreign database)");
    const int64_t version = sql::QueryInt(db, "PRAGMA user_version");
    if (version != regformat::kVersion) {
        Fail(file, "registry format " + std::to_string(version) + " is not supported (expected " +
                       std::to_string(regformat::kVersion) + ")");
    }
    sql::Statement check(db, "PRAGMA quick_check");
    if (!check.Step() || check.Text(0) != "ok") throw RegistryError(DamageMessage(file, check.Text(0)));
    const int64_t roots = sql::QueryInt(db, "SELECT count(*) FROM keys WHERE parent IS NULL AND id IN (1, 2)");
    if (roots != 2) throw RegistryError(DamageMessage(file, "a hive is missing"));
}

void Prepare(sqlite3* db, const fs::path& file, bool isNew) {
    sqlite3_busy_timeout(db, regformat::kBusyTimeoutMs);
    // A file with no tables and no application id is an empty database: it becomes a registry.
    // Anything else is checked before the first write, so a foreign file is never touched.
    if (isNew || (TableCount(db) == 0 && sql::QueryInt(db, "PRAGMA application_id") == 0)) CreateWhenEmpty(db);
    Validate(db, file);
    sql::Statement wal(db, "PRAGMA journal_mode = WAL");
    if (!wal.Step() || wal.Text(0) != "wal") Fail(file, "cannot use write-ahead logging");
    sql::Exec(db, "PRAGMA synchronous = FULL");
}

}  // namespace

std::string DamageMessage(const fs::path& file, const std::string& detail) {
    return "registry " + file.string() + " is damaged or not a registry (" + detail + "); it was left as it is";
}

namespace {

// One attempt; nullptr when the file was busy in a way SQLite does not wait for (another process
// creating it or switching it to write-ahead logging at that moment).
sqlite3* TryOpen(const fs::path& file, bool lastAttempt) {
    std::error_code ec;
    if (HasLinkedDatabaseFile(file)) Fail(file, "a symbolic link is in its place; it was left as it is");
    const auto status = fs::status(file, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) Fail(file, "not a file");
    const bool isNew = !fs::exists(status);
    if (isNew && !fs::is_directory(file.parent_path(), ec)) Fail(file, "its folder does not exist");
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | (isNew ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
    try {
        if (rc != SQLITE_OK) Fail(file, std::string("cannot open: ") + sqlite3_errstr(rc));
        Prepare(db, file, isNew);
    } catch (const sql::Failure& failure) {
        sqlite3_close_v2(db);
        if (sql::IsDamage(failure.code)) throw RegistryError(DamageMessage(file, failure.what()));
        if ((failure.code & 0xFF) == SQLITE_BUSY && !lastAttempt) return nullptr;
        Fail(file, failure.what());  // for instance locked by another process for too long
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

}  // namespace

sqlite3* OpenRegistryFile(const fs::path& file) {
    constexpr int kPauseMs = 10;
    for (int waited = 0;; waited += kPauseMs) {
        if (sqlite3* db = TryOpen(file, waited >= regformat::kBusyTimeoutMs)) return db;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));
    }
}

}  // namespace plat
