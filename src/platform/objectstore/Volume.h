#pragma once
// One open volume file: its SQLite connection (checked before first use, its prepared statements
// kept for reuse), its writes and batches, and the volume-wide counters (object identifiers,
// change generation).
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/objectstore/PropVal.h"
#include "platform/objectstore/Transactions.h"

struct sqlite3;

namespace plat::objstore {

class Volume {
public:
    // Opens an existing volume file. Throws StoreFailure when it is missing (ERROR_FILE_NOT_FOUND),
    // not a volume of ours (ERROR_BAD_FORMAT), of a newer layout (ERROR_NOT_SUPPORTED) or damaged
    // (ERROR_FILE_CORRUPT); such a file is left exactly as it was.
    static std::unique_ptr<Volume> Open(const std::filesystem::path& file);
    ~Volume();
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;

    sqlite3* Db() const { return db_; }
    const CeGuid& Guid() const { return guid_; }
    const std::filesystem::path& File() const { return file_; }

    Transactions& Writes() { return transactions_; }

    // Whether the connection's last result was damage (a page that could not be read).
    [[nodiscard]] bool MetDamage() const;
    // From now on the volume is refused; its clean-close mark says damaged, so the next mount of
    // any process checks every page. `what` is SQLite's word for it; the damaged page is looked up.
    void MarkDamaged(const std::string& what);
    [[nodiscard]] bool Damaged() const { return !damage_.empty(); }
    // The sentence naming the file and its damaged page.
    const std::string& Damage() const { return damage_; }

    // Changes whenever any connection committed a change to the volume, and whenever this one
    // wrote (its batches are seen here before they commit) or undid a batch.
    struct Generation {
        int64_t dataVersion = 0;
        uint64_t localWrites = 0;
        uint64_t undone = 0;
        [[nodiscard]] bool operator==(const Generation&) const = default;
    };
    Generation CurrentGeneration() const;

    // Stamps `database` as changed now (inside a write transaction); false when it does not exist.
    // Inside a batch's transaction only its first write stamps it at once; the stamp is set again
    // just before each commit, so it still follows the transaction's last write.
    [[nodiscard]] bool TouchDatabase(CeOid database);
    // The database is being removed in the open transaction: a later write to it is refused.
    void DatabaseRemoved(CeOid database) { touched_.databases.erase(database); }

    // A new object identifier (inside a write transaction); ERROR_DISK_FULL when exhausted. Inside
    // a batch's transaction the counter is kept in memory and written back once, just before the
    // commit; an identifier taken by a write that was undone is not given again.
    CeOid AllocateOid();

    // The records of a database as this connection sees them: counted once, then kept by this
    // connection's own writes (RecordsAdded after each that succeeded), and counted again once
    // another connection committed or a batch was undone.
    uint32_t RecordCount(CeOid database);
    void RecordsAdded(CeOid database, int delta);
    void ForgetRecordCounts() { counts_.clear(); }

private:
    Volume(sqlite3* db, std::filesystem::path file);
    void BeforeCommit();

    sqlite3* db_;
    std::filesystem::path file_;
    CeGuid guid_;
    Transactions transactions_;
    struct KeptCounter {
        uint64_t transaction = 0;  // the batch transaction it belongs to (Transactions::OpenTransaction)
        int64_t next = 0;
    };
    KeptCounter nextOid_;
    struct Touched {
        uint64_t transaction = 0;  // the batch transaction that stamped them
        std::set<CeOid> databases;
    };
    Touched touched_;
    std::map<CeOid, uint32_t> counts_;
    std::pair<int64_t, uint64_t> countsSeen_{-1, 0};  // data version and undone batches they hold
    std::string damage_;
};

// Creates a new volume file holding the platform's own databases; never replaces an existing
// file (ERROR_ALREADY_EXISTS).
void CreateVolumeFile(const std::filesystem::path& file);

}  // namespace plat::objstore
