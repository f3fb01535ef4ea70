#pragma once
// One open property database of the volume \pim.vol: the mounted volume, the database's
// identifier, the open handle and a cursor, with the flags `autoAdvance` (move to the next record
// after each read and write) and `atEnd`. Failures return false or 0 and leave the platform's last
// error (plat::GetLastError) as the platform set it.
#include <cstdint>

#include "platform/objectstore/DatabaseInfo.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/db/CeDBRecord.h"

class CCeDBDatabase {
public:
    enum WriteMode { kWriteNew = 0, kWriteUpdate = 1, kWriteDeleteProps = 2 };

    CCeDBDatabase() = default;
    ~CCeDBDatabase() { Close(); }
    CCeDBDatabase(const CCeDBDatabase&) = delete;
    CCeDBDatabase& operator=(const CCeDBDatabase&) = delete;

    // Mounts \pim.vol and opens the database by name, with a sort order of `count` keys (flags of
    // the whole order in `keyFlags`) and notifications when `notify` is given. A failure leaves
    // the object closed and the volume unmounted.
    [[nodiscard]] bool Open(const char16_t* name, const plat::SortProp* sorts = nullptr, int count = 0,
                            plat::NotifyCallback notify = {}, uint16_t keyFlags = 0);
    // Closes the handle and unmounts the volume; keeps the last error as it was.
    void Close();
    [[nodiscard]] bool IsOpen() const { return handle_ != plat::kInvalidDbHandle; }

    [[nodiscard]] bool SeekFirst(uint32_t offset = 0);
    [[nodiscard]] bool SeekLast(uint32_t offset = 0);
    [[nodiscard]] bool SeekToRecord(plat::CeOid oid);
    [[nodiscard]] bool SeekNext();
    plat::CeOid CurrentRecordId();
    [[nodiscard]] bool SeekEqual(const CCeDBProp& value);
    [[nodiscard]] bool SeekGreater(const CCeDBProp* values, int count);

    // Reads the given properties (all with count 0) of the current record into `record`.
    plat::CeOid Read(CCeDBRecord& record, const uint32_t* propIds = nullptr, int count = 0);
    // Writes the record's properties (those whose numbers are among `propIds`, all with count 0).
    plat::CeOid Write(const CCeDBRecord& record, int mode, const uint32_t* propIds = nullptr, int count = 0);
    [[nodiscard]] bool DeleteRecord(plat::CeOid oid);

    // The database information; false (and `info` emptied) when it cannot be had.
    [[nodiscard]] bool GetInfo(plat::DatabaseInfo& info) const;
    // Only the record count and modification time (cheap at any size); false when unavailable.
    [[nodiscard]] bool GetStatus(plat::DatabaseStatus& status) const;
    // True when the database-level property exists and is not 0.
    [[nodiscard]] bool GetFlag(uint32_t propId) const;
    // Reads and keeps the contacts database's flag property 0x01020013.
    void ReadContactsFlag();
    [[nodiscard]] bool HasContactsFlag() const { return contactsFlag_; }

    // The last-write time of \pim.vol (mounting and unmounting it once); the current time when
    // the file cannot be found.
    static uint64_t GetVolumeTime();

    bool autoAdvance = false;
    bool atEnd = false;

    const plat::CeGuid& VolumeId() const { return volume_; }
    plat::CeOid DatabaseId() const { return database_; }

private:
    [[nodiscard]] bool Seeked(plat::CeOid oid);

    plat::CeGuid volume_;
    plat::CeOid database_ = 0;
    plat::DbHandle handle_ = plat::kInvalidDbHandle;
    bool contactsFlag_ = false;
};
