#pragma once
// The writes of one volume connection. Every write is atomic: outside a batch it is a transaction
// of its own; inside a write batch it joins the batch's one transaction under a savepoint, so a
// failed write leaves nothing of itself and the batch goes on. A batch commits when its outermost
// level ends, and also when an inner level ends once the transaction has been open for
// kBatchCommitMs: other processes never wait long for the volume, and a crash loses at most that
// much work, never part of an inner level. Each commit of journaled writes prunes the journal and
// then wakes the listeners of the device, once.
//
// A read batch keeps one read transaction open on the connection, so that many reads take the
// volume's read lock once and see one committed state. It never holds up a write of its own
// connection: a write (or a write batch's transaction) ends the read transaction first and the
// read batch opens a new one once the write has committed, so the reads after a write see it.
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
    //
    // In a batch a write runs under a savepoint of its own, whose copies of the pages it changes
    // cost more than a small write itself. A write that only adds rows may pass `undo`, which
    // removes what it added; it then runs without the savepoint, and a failure runs `undo`.
    void Write(const std::function<void()>& change, bool journaled, const std::function<void()>& undo = {});

    void BeginBatch();
    // Ends one level (ERROR_INVALID_PARAMETER when none is open). Throws when a commit made here
    // failed or the batch's transaction was lost before (an SQLite failure that rolls back the
    // whole transaction): everything since the batch's previous commit is undone.
    void EndBatch();
    // Undoes every write of the batch since its previous commit; the levels still open end
    // without committing that (a write made after the cancel starts anew). A batch that must
    // commit all or nothing holds two levels, so that no inner level's end commits it part-way.
    void CancelBatch();
    void BeginReading();
    // Ends one level of read batch (ERROR_INVALID_PARAMETER when none is open); the outermost end
    // closes the read transaction.
    void EndReading();
    // Ends the read batch's transaction for a writer that opens its own on the connection (the
    // delivery of notifications) and opens it again when it goes.
    class ReadPause {
    public:
        explicit ReadPause(Transactions& transactions) : transactions_(transactions) {
            transactions_.PauseReading();
        }
        ~ReadPause() { transactions_.ResumeReading(); }
        ReadPause(const ReadPause&) = delete;
        ReadPause& operator=(const ReadPause&) = delete;

    private:
        Transactions& transactions_;
    };

    // True while a batch holds uncommitted changes (readers on this connection see them; nobody
    // else does yet).
    [[nodiscard]] bool HoldsUncommitted() const { return open_; }
    // Names the batch's open transaction (a new name each time one begins), 0 while none is open:
    // what was read inside a transaction stays true while the name stays the same, since no other
    // connection can write before it ends.
    uint64_t OpenTransaction() const { return open_ ? opened_count_ : 0; }
    // Runs inside each batch's transaction just before it commits (the volume writes back what it
    // kept in memory for the transaction); what it throws fails the commit.
    void SetBeforeCommit(std::function<void()> hook) { beforeCommit_ = std::move(hook); }

    // Counts the writes made through this connection, and the batch transactions undone after
    // their changes could be read on this connection (views built from them must reload).
    uint64_t Writes() const { return writes_; }
    uint64_t Undone() const { return undone_; }

private:
    void WriteInBatch(const std::function<void()>& change, const std::function<void()>& undo);
    void WriteUnderSavepoint(const std::function<void()>& change);
    void WriteUndoable(const std::function<void()>& change, const std::function<void()>& undo);
    void Lost();
    void Commit();
    void Abandon();
    void PauseReading();
    void ResumeReading();

    sqlite3* db_;
    int depth_ = 0;
    bool open_ = false;       // the batch's transaction is open
    bool journaled_ = false;  // it holds journaled writes
    bool lost_ = false;       // SQLite rolled it back on a failure; reported at the next end
    int readDepth_ = 0;
    bool reading_ = false;  // the read batch's transaction is open
    std::chrono::steady_clock::time_point opened_;
    uint64_t opened_count_ = 0;  // batch transactions begun
    std::function<void()> beforeCommit_;
    uint64_t writes_ = 0;
    uint64_t undone_ = 0;
};

}  // namespace plat::objstore
