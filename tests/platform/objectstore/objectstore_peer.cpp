// A second process for the object-store tests.
//   objectstore_peer ROOT write COUNT LOG  : creates COUNT records in "Contacts Database", changes
//       each one and deletes every third, logging "type oid" per change to LOG, in commit order.
//   objectstore_peer ROOT listen COUNT LOG : opens "Contacts Database" with notifications, creates
//       LOG.ready, and logs the first COUNT notifications as "type oid" to LOG (exit 3 on time-out).
//   objectstore_peer ROOT churn COUNT SEED : makes COUNT random changes (Churn.h) from SEED.
//   objectstore_peer ROOT crash COUNT SEED : as churn, then ends at once, as a kill would: nothing is
//       closed, so the changes stay in the write-ahead log.
//   objectstore_peer ROOT delete OID - : deletes the record OID of "Contacts Database".
//   objectstore_peer ROOT count - -    : exits with the number of records of "Contacts Database"
//       (at most 250) that this process sees.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "Churn.h"
#include "platform/objectstore/ObjectStore.h"

namespace {

constexpr int kListenTimeoutMs = 60000;
constexpr plat::CeOid kContactsDatabaseOid = 0x10001;  // the first database of a new volume

int Write(plat::DbHandle db, int count, std::ofstream& log) {
    for (int i = 0; i < count; ++i) {
        const plat::PropVal name = plat::PropVal::Text(plat::MakePropId(0x82, plat::CEVT_LPWSTR), u"peer");
        const plat::CeOid oid = plat::WriteRecordProps(db, 0, std::span(&name, 1));
        if (oid == 0) return 4;
        log << plat::DB_CEOID_CREATED << ' ' << oid << '\n';
        if (plat::WriteRecordProps(db, oid, std::span(&name, 1)) != oid) return 5;
        log << plat::DB_CEOID_CHANGED << ' ' << oid << '\n';
        if (i % 3 == 2) {
            if (!plat::DeleteRecord(db, oid)) return 6;
            log << plat::DB_CEOID_RECORD_DELETED << ' ' << oid << '\n';
        }
    }
    return 0;
}

int Listen(const plat::CeGuid& volume, int count, const std::string& logPath) {
    std::vector<plat::Notification> seen;
    const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr,
                                                 [&](const plat::Notification& n) { seen.push_back(n); });
    if (db == plat::kInvalidDbHandle) return 2;
    std::ofstream(logPath + ".ready") << "ready\n";
    const bool done = plat::RunUntil([&] { return static_cast<int>(seen.size()) >= count; }, kListenTimeoutMs);
    std::ofstream log(logPath);
    for (const plat::Notification& n : seen) log << n.type << ' ' << n.oid << '\n';
    (void)plat::CloseDatabase(db);  // clean-up
    return done ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: objectstore_peer ROOT write|listen|churn|delete|count COUNT LOG|SEED\n");
        return 2;
    }
    plat::SetCurrentDevice(std::make_unique<plat::Device>(argv[1]));
    plat::CeGuid volume;
    if (!plat::MountDbVol(u"\\pim.vol", volume)) {
        std::fprintf(stderr, "mount: %s\n", plat::LastErrorMessage().c_str());
        return 2;
    }
    const std::string mode = argv[2];
    const int count = std::atoi(argv[3]);
    int result = 2;
    if (mode == "listen") {
        result = Listen(volume, count, argv[4]);
    } else if (mode == "write") {
        const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
        std::ofstream log(argv[4]);
        result = db == plat::kInvalidDbHandle ? 2 : Write(db, count, log);
        (void)plat::CloseDatabase(db);  // clean-up
    } else if (mode == "count") {
        plat::DatabaseInfo info;
        const bool read = plat::GetDatabaseInfo(volume, kContactsDatabaseOid, info);
        result = read ? static_cast<int>(std::min<uint32_t>(info.recordCount, 250)) : 251;
    } else if (mode == "churn" || mode == "crash" || mode == "delete") {
        const plat::DbHandle db = plat::OpenDatabase(volume, u"Contacts Database", nullptr, {});
        std::mt19937 random(static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 10)));
        const bool done =
            mode != "delete"
                ? Churn(db, random, count)
                : plat::DeleteRecord(db, static_cast<plat::CeOid>(std::strtoul(argv[3], nullptr, 10)));
        result = done ? 0 : 7;
        if (mode == "crash") std::_Exit(result);
        (void)plat::CloseDatabase(db);  // clean-up
    }
    (void)plat::UnmountDbVol(volume);  // clean-up
    return result;
}
