#include "store/db/CeDBRecord.h"

CCeDBRecord::~CCeDBRecord() { RemoveAll(); }

void CCeDBRecord::Add(CCeDBProp* prop) { props_.Add(prop); }

CCeDBProp* CCeDBRecord::Find(uint16_t number) const {
    for (CCeDBProp* prop : props_) {
        if (prop->GetNumber() == number) return prop;
    }
    return nullptr;
}

void CCeDBRecord::RemoveAll() {
    for (CCeDBProp* prop : props_) delete prop;
    props_.RemoveAll();
    oid_ = 0;
    volume_ = plat::CeGuid();
}
