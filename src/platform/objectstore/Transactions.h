#pragma once
// The writes of one volume connection. Every write is atomic: outside a batch it is a transaction
// of its own; inside a write batch it joins the batch's one transaction under a savepoint, so a
// failed write leaves nothing of itself and the batch goes on. A batch commits when its outermost
// level ends, and also when an inner level ends once the transaction has been open for
// kBatchCommitMs: other processes never wait long for the volume, and a crash loses at most that
// much work, never part of an inner level. Each commit of journaled writes prunes the journal and
// then wakes the listeners of the device, once.
#include <chrono>
#include <cstdint>
#include <functional>

struct sqlite3;

namespace plat::objstore {

class Transactions {
public:
    // How long a batch keeps its transaction open before an inner level's end commits it.
    static constexpr std::chrono::milliseconds kBatchCommitMs{200};

    explicit Transactions(sqlite3* db) : db_(db) {}
    Transactions(const Transactions&) = delete;
    Transactions& operator=(const Transactions&) = delete;

    // Runs `change` as one atomic write; throws what it throws (or what the commit throws), with
    // the change undone. `journaled`: the change wrote journal rows, so its commit prunes the
    // journal and wakes the listeners.
    void Write(const std::function<void()>& change, bool journaled);

    void BeginBatch();
    // Ends one level (ERROR_INVALID_PARAMETER when none is open). Throws when a commit made here
    // failed or the batch's transaction was lost before (an SQLite failure that rolls back the
    // whole transaction): everything since the batch's previous commit is undone.
    void EndBatch();
    // True while a batch holds uncommitted changes (readers on this connection see them; nobody
    // else does yet).
    bool HoldsUncommitted() const { return open_; }

    // Counts the writes made through this connection, and the batch transactions undone after
    // their changes could be read on this connection (views built from them must reload).
    uint64_t Writes() const { return writes_; }
    uint64_t Undone() const { return undone_; }

private:
    void WriteInBatch(const std::function<void()>& change);
    void Commit();
    void Abandon();

    sqlite3* db_;
    int depth_ = 0;
    bool open_ = false;       // the batch's transaction is open
    bool journaled_ = false;  // it holds journaled writes
    bool lost_ = false;       // SQLite rolled it back on a failure; reported at the next end
    std::chrono::steady_clock::time_point opened_;
    uint64_t writes_ = 0;
    uint64_t undone_ = 0;
};

}  // namespace plat::objstore
