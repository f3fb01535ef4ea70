#pragma once
// One record: its properties in the order read or added (owned), and its object identifier (0 for
// a record not yet written).
#include <cstdint>

#include "core/array/Array.h"
#include "platform/objectstore/PropVal.h"
#include "store/db/CeDBProp.h"

class CCeDBRecord {
public:
    CCeDBRecord() = default;
    ~CCeDBRecord();
    CCeDBRecord(const CCeDBRecord&) = delete;
    CCeDBRecord& operator=(const CCeDBRecord&) = delete;

    int GetCount() const { return props_.GetSize(); }
    CCeDBProp* GetAt(int index) const { return props_.GetAt(index); }
    // Takes ownership of `prop`.
    void Add(CCeDBProp* prop);
    // The first property of that number, or none.
    CCeDBProp* Find(uint16_t number) const;
    // Frees every property and forgets the identifier and the volume.
    void RemoveAll();

    plat::CeOid GetOid() const { return oid_; }
    void SetOid(plat::CeOid oid) { oid_ = oid; }
    // The volume the record was read from; zero for a record not read.
    const plat::CeGuid& GetVolume() const { return volume_; }
    void SetVolume(const plat::CeGuid& volume) { volume_ = volume; }

private:
    Array<CCeDBProp*> props_;
    plat::CeOid oid_ = 0;
    plat::CeGuid volume_;
};
