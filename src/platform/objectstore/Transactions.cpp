#include "platform/objectstore/Transactions.h"

#include <sqlite3.h>

#include "platform/objectstore/Journal.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/objectstore/WakeSocket.h"
#include "platform/registry/Sql.h"

namespace plat::objstore {

void Transactions::Write(const std::function<void()>& change, bool journaled,
                         const std::function<void()>& undo) {
    if (depth_ > 0) {
        WriteInBatch(change, undo);
        journaled_ = journaled_ || journaled;
    } else {
        const ReadPause pause(*this);
        sql::WriteTransaction transaction(db_);
        change();
        if (journaled) journal::Prune(db_);
        transaction.Commit();
        if (journaled) WakeListeners();
    }
    ++writes_;
}

void Transactions::WriteInBatch(const std::function<void()>& change, const std::function<void()>& undo) {
    if (!open_) {
        PauseReading();
        try {
            sql::Run(db_, "BEGIN IMMEDIATE");
        } catch (...) {
            ResumeReading();
            throw;
        }
        open_ = true;
        opened_ = std::chrono::steady_clock::now();
        ++opened_count_;
    }
    if (undo) {
        WriteUndoable(change, undo);
    } else {
        WriteUnderSavepoint(change);
    }
}

void Transactions::WriteUnderSavepoint(const std::function<void()>& change) {
    sql::Run(db_, "SAVEPOINT write");
    try {
        change();
        sql::Run(db_, "RELEASE write");
    } catch (...) {
        if (sql::InTransaction(db_)) {
            sql::Run(db_, "ROLLBACK TO write");
            sql::Run(db_, "RELEASE write");
        } else {
            Lost();
        }
        throw;
    }
}

// SQLite undoes a failed statement itself; `undo` takes back the statements before it. When that
// fails too, nothing is sure any more: the batch's transaction is given up, as after a failure
// that rolls it back.
void Transactions::WriteUndoable(const std::function<void()>& change, const std::function<void()>& undo) {
    try {
        change();
    } catch (...) {
        bool undone = false;
        if (sql::InTransaction(db_)) {
            try {
                undo();
                undone = true;
            } catch (...) {
                sql::Abort(db_);
            }
        }
        if (!undone) Lost();
        throw;
    }
}

// Some failures (a full disk, an I/O error) make SQLite roll back the whole transaction.
void Transactions::Lost() {
    open_ = false;
    lost_ = true;
    ++undone_;
    ResumeReading();
}

void Transactions::BeginBatch() { ++depth_; }

void Transactions::EndBatch() {
    if (depth_ == 0) Fail(ERROR_INVALID_PARAMETER, "no write batch is open");
    --depth_;
    if (lost_) {
        lost_ = false;
        Fail(ERROR_GEN_FAILURE, "the write batch was rolled back after a failed write; its changes since the last commit are lost");
    }
    const bool due = depth_ == 0 || (depth_ == 1 && std::chrono::steady_clock::now() - opened_ >= kBatchCommitMs);
    if (open_ && due) Commit();
}

void Transactions::CancelBatch() {
    if (depth_ == 0) Fail(ERROR_INVALID_PARAMETER, "no write batch is open");
    if (open_) Abandon();
}

void Transactions::Commit() {
    try {
        if (beforeCommit_) beforeCommit_();
        if (journaled_) journal::Prune(db_);
        sql::Run(db_, "COMMIT");
    } catch (...) {
        Abandon();
        throw;
    }
    open_ = false;
    if (journaled_) WakeListeners();
    journaled_ = false;
    ResumeReading();
}

void Transactions::Abandon() {
    if (sql::InTransaction(db_)) sql::Abort(db_);
    open_ = false;
    journaled_ = false;
    ++undone_;
    ResumeReading();
}

// Counted only once it has begun: a level that failed to begin is never ended.
void Transactions::BeginReading() {
    if (!sql::InTransaction(db_)) {
        sql::Run(db_, "BEGIN");
        reading_ = true;
    }
    ++readDepth_;
}

void Transactions::EndReading() {
    if (readDepth_ == 0) Fail(ERROR_INVALID_PARAMETER, "no read batch is open");
    if (--readDepth_ == 0) PauseReading();
}

// A read transaction has nothing to keep: ending it cannot lose anything.
void Transactions::PauseReading() {
    if (!reading_) return;
    reading_ = false;
    sql::Abort(db_);
}

// When the read transaction cannot begin again the reads that follow take their own lock each:
// slower, never wrong, so nothing is reported.
void Transactions::ResumeReading() {
    if (readDepth_ == 0 || sql::InTransaction(db_)) return;
    reading_ = sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace plat::objstore
