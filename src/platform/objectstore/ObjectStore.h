#pragma once
// The handheld's property databases: volumes (one SQLite file each, shared by every process of the
// device), databases of records of typed properties, sort orders, seeks, reads and writes, and
// change notifications. docs/objectstore.md describes the file and the behaviour in full.
//
// Every call sets the thread's last error (StoreErrors.h): 0 on success, otherwise the reason, with
// a sentence in LastErrorMessage(). Calls may come from any thread; notifications arrive on the
// thread that runs the Qt event loop.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/objectstore/DatabaseInfo.h"
#include "platform/objectstore/Notification.h"
#include "platform/objectstore/PropVal.h"
#include "platform/objectstore/SortOrder.h"
#include "platform/objectstore/StoreErrors.h"

namespace plat {

using DbHandle = uint32_t;
inline constexpr DbHandle kInvalidDbHandle = 0;

enum class SeekType : uint32_t {
    Oid = 0x1,              // the record with that identifier
    Beginning = 0x2,        // the record `value` places after the first (value >= 0)
    End = 0x4,              // the record `-value` places before the last (value <= 0)
    Current = 0x8,          // the record `value` places from the current one
    ValueFirstEqual = 0x20, // the first record whose first keys equal the values
    ValueGreater = 0x40,    // the first record whose first keys sort after the values
};

// Creates a new volume file with the platform's own databases ("Contacts Database",
// "PIMNamedPropValsIndexed"). An existing file is never replaced (ERROR_ALREADY_EXISTS).
[[nodiscard]] bool InitVolume(const std::filesystem::path& hostFile);

// Mounts an existing volume by its device path ("\\pim.vol"). A file that is not a volume of ours
// or is damaged is refused and left untouched.
[[nodiscard]] bool MountDbVol(std::u16string_view devicePath, CeGuid& volume);
[[nodiscard]] bool UnmountDbVol(const CeGuid& volume);
// For the end of a process, once its work is done: closes every volume connection of the process
// and forgets its handles and mounts (a handle used afterwards fails as an unknown one). The last
// process to leave a volume writes the log back into the file and marks it cleanly closed, so the
// next mount need not read every page; a process that ends without this leaves the log for the
// next one to check.
void CloseAllVolumes();

// Damage this process met in a mounted volume while using it (a page that could not be read): how
// many times, and the message of the last, which names the file and the damaged page. The volume
// is then refused by every later call of the process and checked page by page at its next mount.
struct VolumeDamage {
    uint64_t count = 0;
    std::string message;
};
VolumeDamage VolumeDamageSeen();

// The last-write time (a file time) of the volume file at a device path, its write-ahead log
// included, since committed changes reach the file itself only at checkpoints. 0 when there is no
// such file.
uint64_t VolumeFileTime(std::u16string_view devicePath);

CeOid CreateDatabase(const CeGuid& volume, const DatabaseDescription& declared);
[[nodiscard]] bool DeleteDatabase(const CeGuid& volume, CeOid database);
[[nodiscard]] bool GetDatabaseInfo(const CeGuid& volume, CeOid database, DatabaseInfo& info);
// The record count and modification time alone, without the sizes that GetDatabaseInfo sums over
// every property of the database.
[[nodiscard]] bool GetDatabaseStatus(const CeGuid& volume, CeOid database, DatabaseStatus& status);

// Write batches. From BeginWriteBatch to the matching EndWriteBatch every write of this process to
// the volume joins one transaction, so that many records cost one lock and one commit; each write
// stays atomic on its own (a failed one leaves nothing and the batch goes on). Batches nest and
// the outermost end commits; a batch open for 200 ms commits at the end of one of its inner
// batches, so other processes never wait long and a crash loses whole inner batches only. Until a
// commit only this process sees the batch's changes; at each commit the listeners are woken and
// then get one notification per change, in order. A batch belongs to the process, not to a
// thread. EndWriteBatch fails when a commit it made failed, or a failed write had SQLite roll back
// the whole transaction: every change since the batch's previous commit is undone (the last error
// says why), and the level is ended all the same.
[[nodiscard]] bool BeginWriteBatch(const CeGuid& volume);
[[nodiscard]] bool EndWriteBatch(const CeGuid& volume);
// Undoes every change of the open batch since its previous commit (the batch's levels stay open
// and end without committing it); ERROR_INVALID_PARAMETER without a batch.
[[nodiscard]] bool CancelWriteBatch(const CeGuid& volume);

// Read batches. From BeginReadBatch to the matching EndReadBatch the reads of this process on the
// volume share one read transaction: they take the volume's read lock once instead of once each,
// and see one committed state (this process's open write batch included), whatever other processes
// commit meanwhile. A write of this process ends that transaction before it begins and the batch
// takes a new one after it commits, so a read always sees the process's own committed writes and a
// read batch never makes a write fail. Batches nest; the outermost end lets other processes'
// commits be seen again. EndReadBatch without a batch fails (ERROR_INVALID_PARAMETER).
[[nodiscard]] bool BeginReadBatch(const CeGuid& volume);
[[nodiscard]] bool EndReadBatch(const CeGuid& volume);

// True when this process's notification callbacks for the volume have been handed every change
// committed so far (also when it has none). Notifications are handed on the event loop's thread,
// so a caller waits for them by running the loop.
[[nodiscard]] bool NotificationsDelivered(const CeGuid& volume);

// Opens a database by name. `order` must be one the database declared (nullptr: identifier
// order). With a callback the handle receives every change of the volume committed after the
// open, until it is closed. `database` receives the database's identifier.
DbHandle OpenDatabase(const CeGuid& volume, std::u16string_view name, const SortOrderDescription* order,
                      NotifyCallback notify, CeOid* database = nullptr);
[[nodiscard]] bool CloseDatabase(DbHandle db);

// Positional and identifier seeks; the record reached becomes current. 0 on failure
// (ERROR_NO_MORE_ITEMS: no record there; ERROR_NOT_FOUND: no such record).
CeOid SeekDatabase(DbHandle db, SeekType type, int64_t value);
// Seeks by the values of the first keys of the handle's order (ValueFirstEqual, ValueGreater).
CeOid SeekDatabaseByValues(DbHandle db, SeekType type, std::span<const PropVal> values);

// Reads the current record: the asked properties in order (missing ones flagged
// CEDB_PROPNOTFOUND), or all of them by number when `propIds` is empty. Returns its identifier.
CeOid ReadRecordProps(DbHandle db, std::span<const uint32_t> propIds, std::vector<PropVal>& props);

// Writes a new record (`record` 0) or updates one; values flagged CEDB_PROPDELETE remove their
// property. Auto-increment properties are numbered on creation and kept afterwards (a delete
// removes one). The cursor does not move.
CeOid WriteRecordProps(DbHandle db, CeOid record, std::span<const PropVal> props);
[[nodiscard]] bool DeleteRecord(DbHandle db, CeOid record);

// What a volume's change journal holds after one of its rows (ReadJournalChanges): the records of
// the asked databases that a row after it names, each once per database. `complete` is false when
// the journal cannot tell: rows after the position were pruned, or the position lies beyond the
// last row (another volume's, or a history that was undone); `records` is then empty. While this
// process holds an uncommitted batch nothing is told (`head` -1): its rows may yet be undone and
// their numbers used again.
struct JournalChanges {
    struct Record {
        CeOid database = 0;
        CeOid oid = 0;
    };
    int64_t head = -1;  // the last row committed when read (0 when none was ever written)
    bool complete = false;
    std::vector<Record> records;
};
// Reads, in one committed state of the volume, its journal head and the records of `databases`
// changed after row `after`.
[[nodiscard]] bool ReadJournalChanges(const CeGuid& volume, int64_t after, std::span<const CeOid> databases,
                                      JournalChanges& changes);

// Properties of the database itself (as for records: empty `propIds` reads all).
[[nodiscard]] bool GetDatabaseProps(DbHandle db, std::span<const uint32_t> propIds,
                                    std::vector<PropVal>& props);
[[nodiscard]] bool SetDatabaseProps(DbHandle db, std::span<const PropVal> props);

}  // namespace plat
