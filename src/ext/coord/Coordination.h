#pragma once
// The coordination engine between the family's programs on one device: the instances' main
// windows in a shared block (CoordBlockFormat.h) under a named mutex, and the five registered
// messages (CoordMessages.h). The mutex is held only while the block is read or written, never
// while a message is sent.
#include <cstdint>
#include <memory>

#include "manager/coord/CoordEngine.h"
#include "manager/coord/CoordMessages.h"
#include "platform/shm/NamedMutex.h"
#include "platform/shm/SharedMapping.h"

class CoordBlock;

class Coordination : public CoordEngine {
public:
    // The process's engine, created on first use; Destroy ends it.
    static Coordination* Instance();
    static void Destroy();

    // An engine of its own (the process's is Instance()); it does nothing until opened.
    Coordination();
    ~Coordination() override;
    Coordination(const Coordination&) = delete;
    Coordination& operator=(const Coordination&) = delete;

    // Opens (creating when missing) the mutex and the block and registers the five messages on the
    // current device. True at once when already open; false leaves the engine unopened, and then
    // every operation fails and IsMaster() is false.
    [[nodiscard]] bool Open();

    // Writes a change flag (codes 0 to 9, see ChangeFlag); any other code changes nothing.
    void SetChangeFlag(uint32_t code, uint32_t value);

    [[nodiscard]] bool Register(plat::HWND window) override;
    [[nodiscard]] bool Unregister() override;
    [[nodiscard]] bool BecomeMaster(plat::HWND window) override;
    [[nodiscard]] bool ReloadSlaves() override;
    [[nodiscard]] bool StopSlaves() override;
    [[nodiscard]] bool IsMaster() const override { return master_; }
    void SetMaster(bool master) override { master_ = master; }
    void UpdateLinkType(uint32_t oid, uint32_t linkType) override;

private:
    // Runs `change` on the block while holding the mutex.
    template <typename Change>
    auto WithBlock(Change change);
    // Removes the windows that no longer exist; when that gives the table a new first window,
    // that instance is made the master.
    void CleanUp();
    void HandOver(plat::HWND newMaster);
    void Send(plat::HWND window, CoordMessage message, plat::WPARAM wParam = 0, plat::LPARAM lParam = 0);

    std::unique_ptr<plat::SharedMapping> mapping_;
    uint8_t* view_ = nullptr;
    std::unique_ptr<plat::NamedMutex> mutex_;
    bool initialised_ = false;
    bool master_ = false;
    plat::HWND own_ = 0;
};
