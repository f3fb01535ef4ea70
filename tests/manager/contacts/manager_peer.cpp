// Another program changing the store while a test's contact manager listens.
//   manager_peer ROOT add COUNT      : creates COUNT contacts, printing each identifier in hex
//   manager_peer ROOT delete OID     : deletes the contact (hex identifier)
//   manager_peer ROOT other NAME     : writes a record into another database of the volume
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/device/Device.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"

namespace {

int Add(CCeDBDatabase& db, int count) {
    for (int i = 0; i < count; ++i) {
        Contact contact;
        contact.SetText(kFieldLast, Str(u"Peer"));
        contact.SetText(kFieldFirst, Str::FromUtf8(std::string("N").append(std::to_string(i))));
        CCeDBRecord record;
        contact.SaveToRecord(db, record, true);
        const plat::CeOid oid = db.Write(record, CCeDBDatabase::kWriteNew);
        if (oid == 0) return 4;
        std::printf("%x\n", oid);
    }
    return 0;
}

// A record in a database of its own (made when missing), as the category databases get them.
int WriteOther(const std::string& name) {
    plat::CeGuid volume;
    if (!plat::MountDbVol(kVolumePath, volume)) return 5;
    plat::DatabaseDescription declared;
    declared.name = u"PeerOtherDB";
    plat::CreateDatabase(volume, declared);
    const plat::DbHandle db = plat::OpenDatabase(volume, declared.name, nullptr, {});
    const std::u16string text(name.begin(), name.end());
    const plat::PropVal value = plat::PropVal::Text(plat::MakePropId(0x82, plat::CEVT_LPWSTR), text);
    const bool written = db != plat::kInvalidDbHandle && plat::WriteRecordProps(db, 0, std::span(&value, 1)) != 0;
    (void)plat::CloseDatabase(db);  // clean-up
    return written ? 0 : 6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: manager_peer ROOT add|delete|other ARG\n");
        return 2;
    }
    plat::SetCurrentDevice(std::make_unique<plat::Device>(argv[1]));
    const std::string mode = argv[2];
    if (mode == "other") return WriteOther(argv[3]);
    CCeDBDatabase db;
    if (!db.Open(kContactsDbName)) return 3;
    if (mode == "add") return Add(db, std::atoi(argv[3]));
    if (mode == "delete") return db.DeleteRecord(static_cast<plat::CeOid>(std::strtoul(argv[3], nullptr, 16))) ? 0 : 6;
    return 2;
}
