#include "store/db/DbScan.h"

bool ScanDatabase(CCeDBDatabase& db, const uint32_t* propIds, int count,
                  const std::function<void(const CCeDBRecord&)>& visit) {
    CCeDBRecord record;
    db.atEnd = false;
    (void)db.SeekFirst(0);  // an empty database leaves no current record: the first read says so
    while (!db.atEnd) {
        if (db.Read(record, propIds, count) == 0) return plat::GetLastError() == plat::ERROR_NO_MORE_ITEMS;
        visit(record);
        // A database that moves on by itself after each read must not skip a record.
        if (!db.autoAdvance) (void)db.SeekNext();  // at the end, the next read says so
    }
    return true;
}
