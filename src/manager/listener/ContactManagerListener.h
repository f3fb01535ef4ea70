#pragma once
// What the contact manager tells its observers (ContactManager::AddListener). Every call comes on
// the user-interface thread; an observer overrides the events it cares for.
//
// Order of the calls: a burst of changes gives OnBusy(true) at its first change and
// OnManyChanges(true) at its tenth; its batch then gives one call per contact (in the order the
// changes arrived) or, for 15 changes or more, OnProgress steps and OnContactsReloaded, and ends
// with OnBusy(false) and OnManyChanges(false). A full rebuild reports OnProgress(0) to
// OnProgress(20). Each event reaches every observer, in the order they were added.
#include <cstdint>

class ContactManagerListener {
public:
    virtual ~ContactManagerListener() = default;

    virtual void OnContactAdded(uint32_t /*oid*/) {}    // a created record is in the index
    virtual void OnContactChanged(uint32_t /*oid*/) {}  // a changed record was re-indexed
    virtual void OnContactDeleted(uint32_t /*oid*/) {}  // a deleted record left the index
    virtual void OnContactsReloaded() {}                // the index was rebuilt in full
    virtual void OnProgress(uint32_t /*step*/) {}       // 0 to 20 during a full rebuild
    // True when a batch of changes or a rebuild begins, false when it has ended.
    virtual void OnBusy(bool /*busy*/) {}
    // True when ten changes are queued; false at the end of every batch.
    virtual void OnManyChanges(bool /*many*/) {}
};
