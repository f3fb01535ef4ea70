#pragma once
// What the contact client manager tells the user interface (the main window frame): the store's
// events once the client manager's cache is right for them.
#include <cstdint>

class ContactClientListener {
public:
    virtual ~ContactClientListener() = default;

    // The contacts changed (added, changed, deleted, reloaded, or the index reopened): redraw what
    // shows them.
    virtual void OnContactsChanged() = 0;
    // A contact left the index (after OnContactsChanged).
    virtual void OnContactDeleted(uint32_t oid) = 0;
    // A step of a full rebuild, 0 to 20.
    virtual void OnRebuildProgress(uint32_t step) = 0;
    // True while the store works through a batch of changes or a rebuild.
    virtual void OnStoreBusy(bool busy) = 0;
    // True while many changes are queued.
    virtual void OnManyChanges(bool many) = 0;
};
