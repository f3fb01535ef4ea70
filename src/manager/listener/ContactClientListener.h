#pragma once
// What the contact client manager tells the user interface (the main window frame). Each call
// carries two 32-bit words; their meaning is the slot's.
#include <cstdint>

class ContactClientListener {
public:
    virtual ~ContactClientListener() = default;

    // Slot 0: the contacts changed; redraw what shows them.
    virtual void OnContactsChanged() = 0;
    // Slots 1 to 6 as the manager's calls reach them: OnNotify8, OnNotify4, OnProgress, a deleted
    // contact (its identifier), OnBusy and OnManyChanges.
    virtual void OnClientCall(int slot, uint32_t first, uint32_t second) = 0;
};

// The client slots the manager's calls are forwarded to.
inline constexpr int kClientSlotNotify8 = 1;
inline constexpr int kClientSlotNotify4 = 2;
inline constexpr int kClientSlotProgress = 3;
inline constexpr int kClientSlotDeleted = 4;
inline constexpr int kClientSlotBusy = 5;
inline constexpr int kClientSlotManyChanges = 6;
