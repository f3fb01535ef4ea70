#include "platform/objectstore/Journal.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/objectstore/Notification.h"
#include "platform/objectstore/VolumeFormat.h"
#include "platform/registry/Sql.h"

namespace plat::objstore::journal {

namespace {

bool ProcessIsGone(int64_t pid) { return pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH); }

// A listener whose process ended without unregistering would hold every row forever.
void ForgetDeadListeners(sqlite3* db) {
    std::vector<std::string> dead;
    sql::Statement listeners(db, "SELECT id, pid FROM listeners");
    while (listeners.Step()) {
        if (ProcessIsGone(listeners.Int(1))) dead.push_back(listeners.Text(0));
    }
    for (const std::string& id : dead) Unregister(db, id);
}

}  // namespace

void Append(sqlite3* db, uint32_t type, CeOid parent, CeOid oid) {
    sql::Statement append(db, "INSERT INTO journal(type, parent, oid) VALUES (?1, ?2, ?3)");
    append.Bind(1, type).Bind(2, parent).Bind(3, oid).Execute();
}

void Prune(sqlite3* db) {
    ForgetDeadListeners(db);
    sql::Statement seen(db,
                        "DELETE FROM journal WHERE seq <= min(coalesce((SELECT min(seen) FROM listeners),"
                        " (SELECT max(seq) FROM journal)), (SELECT max(seq) FROM journal) - ?1)");
    seen.Bind(1, volformat::kJournalKept).Execute();
    sql::Statement bound(db, "DELETE FROM journal WHERE seq <= (SELECT max(seq) FROM journal) - ?1");
    bound.Bind(1, volformat::kJournalBound).Execute();
}

int64_t Head(sqlite3* db) { return sql::QueryInt(db, "SELECT seq FROM sqlite_sequence WHERE name = 'journal'"); }

std::vector<Row> ReadAfter(sqlite3* db, int64_t seen) {
    std::vector<Row> rows;
    sql::Statement read(db, "SELECT seq, type, parent, oid FROM journal WHERE seq > ?1 ORDER BY seq");
    read.Bind(1, seen);
    while (read.Step()) {
        rows.push_back(Row{read.Int(0), static_cast<uint32_t>(read.Int(1)), static_cast<CeOid>(read.Int(2)),
                           static_cast<CeOid>(read.Int(3))});
    }
    return rows;
}

// Rows are numbered without gaps, so every row after `seq` is there exactly when they number head -
// seq: a row pruned, or removed from outside (at the end, in the middle), leaves the count short.
bool HoldsAllAfter(sqlite3* db, int64_t seq) {
    const int64_t head = Head(db);
    if (head == seq) return true;
    if (seq < 0 || head < seq) return false;
    sql::Statement count(db, "SELECT count(*) FROM journal WHERE seq > ?1");
    count.Bind(1, seq);
    return count.Step() && count.Int(0) == head - seq;
}

std::vector<ChangedRecord> RecordsChangedAfter(sqlite3* db, int64_t seq, CeOid database) {
    std::vector<ChangedRecord> records;
    sql::Statement read(db, "SELECT oid, type FROM journal WHERE seq > ?1 AND parent = ?2 ORDER BY oid, seq");
    read.Bind(1, seq).Bind(2, database);
    while (read.Step()) {
        const auto oid = static_cast<CeOid>(read.Int(0));
        if (!records.empty() && records.back().oid == oid) continue;
        records.push_back({oid, static_cast<uint32_t>(read.Int(1)) != DB_CEOID_CREATED});
    }
    return records;
}

void Register(sqlite3* db, const std::string& id, int64_t seen) {
    sql::Statement add(db, "INSERT OR REPLACE INTO listeners(id, pid, seen) VALUES (?1, ?2, ?3)");
    add.Bind(1, std::string_view(id)).Bind(2, static_cast<int64_t>(::getpid())).Bind(3, seen).Execute();
}

bool Advance(sqlite3* db, const std::string& id, int64_t seen) {
    sql::Statement advance(db, "UPDATE listeners SET seen = ?2 WHERE id = ?1 RETURNING seen");
    advance.Bind(1, std::string_view(id)).Bind(2, seen);
    const bool found = advance.Step();
    while (advance.Step()) {
    }
    return found;
}

void Unregister(sqlite3* db, const std::string& id) {
    sql::Statement remove(db, "DELETE FROM listeners WHERE id = ?1");
    remove.Bind(1, std::string_view(id)).Execute();
}

}  // namespace plat::objstore::journal
