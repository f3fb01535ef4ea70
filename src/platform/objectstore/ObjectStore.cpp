#include "platform/objectstore/ObjectStore.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <new>

#include "platform/device/Device.h"
#include "platform/objectstore/Catalog.h"
#include "platform/objectstore/Journal.h"
#include "platform/objectstore/NotificationHub.h"
#include "platform/objectstore/Snapshot.h"
#include "platform/objectstore/Store.h"
#include "platform/objectstore/StoreFailure.h"
#include "platform/registry/Sql.h"

namespace plat {

namespace {

using objstore::Fail;
using objstore::Store;

uint32_t CodeOfSqlFailure(int code) {
    switch (code) {
        case SQLITE_FULL: return ERROR_DISK_FULL;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return ERROR_SHARING_VIOLATION;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: return ERROR_FILE_CORRUPT;
        case SQLITE_NOMEM: return ERROR_OUTOFMEMORY;
        default: return ERROR_GEN_FAILURE;
    }
}

// Runs one public call under the store lock: its result on success (last error 0), `failed` with
// the last error set otherwise.
template <typename Result, typename Body>
Result Call(Result failed, Body body) {
    try {
        std::lock_guard lock(Store::Instance().Mutex());
        Result result = body();
        SetLastError(ERROR_SUCCESS);
        return result;
    } catch (const objstore::StoreFailure& failure) {
        SetLastError(failure.code, failure.what());
    } catch (const sql::Failure& failure) {
        if (sql::IsDamage(failure.code)) {
            SetLastError(ERROR_FILE_CORRUPT, Store::Instance().DamageFound(failure.what()));
        } else {
            SetLastError(CodeOfSqlFailure(failure.code), std::string("volume: ") + failure.what());
        }
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_OUTOFMEMORY, "out of memory");
    } catch (const std::exception& failure) {
        SetLastError(ERROR_GEN_FAILURE, std::string("object store: ") + failure.what());
    }
    return failed;
}

// Runs one of the volume's batch steps; a step that cannot be taken fails with its last error.
bool BatchStep(const CeGuid& volume, void (objstore::Transactions::*step)()) {
    return Call(false, [&] {
        (Store::Instance().VolumeOf(volume).Writes().*step)();
        return true;
    });
}

}  // namespace

bool InitVolume(const std::filesystem::path& hostFile) {
    return Call(false, [&] {
        objstore::CreateVolumeFile(hostFile);
        return true;
    });
}

bool MountDbVol(std::u16string_view devicePath, CeGuid& volume) {
    return Call(false, [&] {
        if (!HasCurrentDevice()) Fail(ERROR_FILE_NOT_FOUND, "no device is chosen");
        const auto file = CurrentDevice().HostPath(devicePath);
        if (!file) Fail(ERROR_INVALID_PARAMETER, "not a path on the device");
        volume = Store::Instance().Mount(*file);
        return true;
    });
}

bool UnmountDbVol(const CeGuid& volume) {
    return Call(false, [&] {
        Store::Instance().Unmount(volume);
        return true;
    });
}

void CloseAllVolumes() {
    Call(false, [] {
        Store::Instance().CloseAll();
        return true;
    });
}

VolumeDamage VolumeDamageSeen() {
    std::lock_guard lock(Store::Instance().Mutex());
    return Store::Instance().DamageSeen();
}

uint64_t VolumeFileTime(std::u16string_view devicePath) {
    if (!HasCurrentDevice()) return 0;
    const auto file = CurrentDevice().HostPath(devicePath);
    if (!file) return 0;
    uint64_t latest = 0;
    for (const std::string& path : {file->string(), file->string() + "-wal"}) {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) continue;
        latest = std::max(latest, FileTimeFromUnix(status.st_mtim.tv_sec, status.st_mtim.tv_nsec));
    }
    return latest;
}

CeOid CreateDatabase(const CeGuid& volume, const DatabaseDescription& declared) {
    return Call(CeOid{0}, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        objstore::ValidateDeclaration(declared);
        CeOid database = 0;
        store.Writes().Write([&] {
            database = store.AllocateOid();
            objstore::InsertDatabase(store.Db(), database, declared);
        }, false);
        store.ForgetRecordCounts();
        return database;
    });
}

bool DeleteDatabase(const CeGuid& volume, CeOid database) {
    return Call(false, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        store.Writes().Write([&] {
            if (!objstore::DatabaseExists(store.Db(), database)) Fail(ERROR_NOT_FOUND, "no such database");
            objstore::RemoveDatabase(store.Db(), database);
            store.DatabaseRemoved(database);
        }, false);
        store.ForgetRecordCounts();
        return true;
    });
}

bool BeginWriteBatch(const CeGuid& volume) { return BatchStep(volume, &objstore::Transactions::BeginBatch); }
bool EndWriteBatch(const CeGuid& volume) { return BatchStep(volume, &objstore::Transactions::EndBatch); }
bool CancelWriteBatch(const CeGuid& volume) {
    return BatchStep(volume, &objstore::Transactions::CancelBatch);
}
bool BeginReadBatch(const CeGuid& volume) { return BatchStep(volume, &objstore::Transactions::BeginReading); }
bool EndReadBatch(const CeGuid& volume) { return BatchStep(volume, &objstore::Transactions::EndReading); }

bool NotificationsDelivered(const CeGuid& volume) {
    return Call(false, [&] { return objstore::NotificationHub::Instance().Delivered(volume); });
}

bool GetDatabaseInfo(const CeGuid& volume, CeOid database, DatabaseInfo& info) {
    return Call(false, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        info = objstore::LoadDatabaseInfo(store.Db(), database);
        info.recordCount = store.RecordCount(database);
        return true;
    });
}

bool GetDatabaseStatus(const CeGuid& volume, CeOid database, DatabaseStatus& status) {
    return Call(false, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        status.lastModified = objstore::LoadModified(store.Db(), database);
        status.recordCount = store.RecordCount(database);
        return true;
    });
}

DbHandle OpenDatabase(const CeGuid& volume, std::u16string_view name, const SortOrderDescription* order,
                      NotifyCallback notify, CeOid* database) {
    return Call(kInvalidDbHandle, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        const CeOid found = objstore::FindDatabase(store.Db(), name);
        if (found == 0) Fail(ERROR_NOT_FOUND, "no database of that name");
        if (order != nullptr) {
            const auto declared = objstore::LoadSortOrders(store.Db(), found);
            if (std::find(declared.begin(), declared.end(), *order) == declared.end()) {
                Fail(ERROR_INVALID_PARAMETER, "the database does not declare that sort order");
            }
        }
        auto db = std::make_unique<objstore::OpenDb>(store, found, order ? order->props : std::vector<SortProp>{});
        if (notify) db->SetSubscription(objstore::NotificationHub::Instance().Subscribe(volume, std::move(notify)));
        if (database != nullptr) *database = found;
        return Store::Instance().AddHandle(std::move(db));
    });
}

bool CloseDatabase(DbHandle db) {
    return Call(false, [&] {
        const std::unique_ptr<objstore::OpenDb> closed = Store::Instance().TakeHandle(db);
        objstore::NotificationHub::Instance().Unsubscribe(closed->Subscription());
        return true;
    });
}

CeOid SeekDatabase(DbHandle db, SeekType type, int64_t value) {
    return Call(CeOid{0}, [&] { return Store::Instance().Handle(db).SeekPosition(type, value); });
}

CeOid SeekDatabaseByValues(DbHandle db, SeekType type, std::span<const PropVal> values) {
    return Call(CeOid{0}, [&] { return Store::Instance().Handle(db).SeekValues(type, values); });
}

CeOid ReadRecordProps(DbHandle db, std::span<const uint32_t> propIds, std::vector<PropVal>& props) {
    return Call(CeOid{0}, [&] { return Store::Instance().Handle(db).Read(propIds, props); });
}

CeOid WriteRecordProps(DbHandle db, CeOid record, std::span<const PropVal> props) {
    return Call(CeOid{0}, [&] { return Store::Instance().Handle(db).Write(record, props); });
}

bool DeleteRecord(DbHandle db, CeOid record) {
    return Call(false, [&] {
        Store::Instance().Handle(db).Delete(record);
        return true;
    });
}

bool ReadJournalChanges(const CeGuid& volume, int64_t after, std::span<const CeOid> databases,
                        JournalChanges& changes) {
    changes = JournalChanges{};
    return Call(false, [&] {
        objstore::Volume& store = Store::Instance().VolumeOf(volume);
        if (store.Writes().HoldsUncommitted()) return true;
        objstore::Snapshot(store.Db(), [&] {
            changes.head = objstore::journal::Head(store.Db());
            changes.complete = after >= 0 && objstore::journal::HoldsAllAfter(store.Db(), after);
            for (const CeOid database : databases) {
                if (!changes.complete) break;
                for (const auto& record :
                     objstore::journal::RecordsChangedAfter(store.Db(), after, database)) {
                    changes.records.push_back({database, record.oid});
                }
            }
            return true;
        });
        return true;
    });
}

bool GetDatabaseProps(DbHandle db, std::span<const uint32_t> propIds, std::vector<PropVal>& props) {
    return Call(false, [&] {
        props = Store::Instance().Handle(db).GetProps(propIds);
        return true;
    });
}

bool SetDatabaseProps(DbHandle db, std::span<const PropVal> props) {
    return Call(false, [&] {
        Store::Instance().Handle(db).SetProps(props);
        return true;
    });
}

}  // namespace plat
