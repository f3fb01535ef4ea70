#pragma once
// The coordination engine as the contact manager and the main window see it: several programs of
// the family work on the same contacts and index files, one of them (the master) maintains the
// index and the others (slaves) only read it. The engine elects the master and carries the
// messages between the instances; see CoordMessages.h for the messages an instance receives.
#include <cstdint>

#include "platform/window/WindowTypes.h"

class CoordEngine {
public:
    virtual ~CoordEngine() = default;

    // Registers the instance's main window; false when the engine is not open or all instances'
    // places are taken. The first instance to register is the master.
    [[nodiscard]] virtual bool Register(plat::HWND window) = 0;
    // Takes the instance's window out; when the master leaves, the next instance is told it is
    // the master now. False when the engine is not open or the instance never registered.
    [[nodiscard]] virtual bool Unregister() = 0;
    // Makes this instance (whose main window `window` is) the master.
    [[nodiscard]] virtual bool BecomeMaster(plat::HWND window) = 0;
    // The master tells every slave to reload the index files (without waiting for them)...
    [[nodiscard]] virtual bool ReloadSlaves() = 0;
    // ...or to stop using them (waiting for each). False when not open or not the master.
    [[nodiscard]] virtual bool StopSlaves() = 0;
    [[nodiscard]] virtual bool IsMaster() const = 0;
    // Sets only the instance's own idea of being master (on the coordination messages).
    virtual void SetMaster(bool master) = 0;
    // A slave hands a contact's new link type to the master, which keeps the index.
    virtual void UpdateLinkType(uint32_t oid, uint32_t linkType) = 0;
};
