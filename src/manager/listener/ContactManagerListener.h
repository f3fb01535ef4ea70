#pragma once
// What the contact manager tells its owner (the contact client manager). The order of the calls
// is the order of the slots of the interface; every call comes on the user-interface thread.
// OnNotify4 and OnNotify8 are slots the manager never calls: they keep the others' places
// (docs/glossary.md).
#include <cstdint>

class ContactManagerListener {
public:
    virtual ~ContactManagerListener() = default;

    virtual void OnContactAdded(uint32_t oid) = 0;            // a created record is in the index
    virtual void OnContactChanged(uint32_t oid) = 0;          // a changed record was re-indexed
    virtual void OnContactDeleted(uint32_t oid) = 0;          // a deleted record left the index
    virtual void OnContactsReloaded() = 0;                    // the index was rebuilt in full
    virtual void OnNotify4(uint32_t first, uint32_t second) = 0;
    virtual void OnProgress(uint32_t step) = 0;               // 0 to 20 during a full rebuild
    virtual void OnBusy(uint32_t state) = 0;                  // 0 begin, 1 end
    virtual void OnManyChanges(uint32_t on) = 0;              // 1: ten changes queued; 0: batch done
    virtual void OnNotify8(uint32_t first, uint32_t second) = 0;
};

// The manager's listener as the contact client manager implements it.
using ContactListener = ContactManagerListener;
