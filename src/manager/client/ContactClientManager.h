#pragma once
// ContactClientManager: between the contact manager and the user interface. It connects the two
// at start-up, keeps the contacts the interface asked for in a small cache, forwards the manager's
// calls to the client (the main window frame) and carries out the coordination messages that
// reach the program's main window.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "manager/contacts/ContactWrite.h"
#include "manager/listener/ContactClientListener.h"
#include "manager/listener/ContactManagerListener.h"
#include "manager/sync/SyncMessages.h"
#include "platform/window/WindowTypes.h"

class Contact;
class ContactManager;
class EngineSync;

// An entry of the cache (the interface keeps what it derived from a contact in one).
class CachedContact {
public:
    virtual ~CachedContact() = default;
    uint32_t linkType = 0;
};

class ContactClientManager : public ContactListener {
public:
    static constexpr size_t kCacheBuckets = 10;
    // The main window's private message that clears the cache.
    static constexpr uint32_t kResetMessage = 0x0400 - 1;

    explicit ContactClientManager(ContactManager& manager) : manager_(manager) {}
    ~ContactClientManager() override;

    // Runs the manager's Init; false (and disconnected) when it fails.
    [[nodiscard]] bool Connect(ContactClientListener* client, EngineSync* sync);
    void Disconnect();
    [[nodiscard]] bool IsConnected() const { return connected_; }

    [[nodiscard]] bool GetContact(uint32_t oid, Contact& contact);
    ContactWrite AddContact(Contact& contact, bool writeNote);
    ContactWrite UpdateContact(Contact& contact, bool writeNote);
    ContactWrite DeleteContact(uint32_t oid);

    // The cached entry of a contact (nullptr when none); Cache puts one in (replacing).
    CachedContact* Cached(uint32_t oid);
    void Cache(uint32_t oid, std::unique_ptr<CachedContact> entry);
    void Reset() { cache_.clear(); }
    size_t CacheSize() const { return cache_.size(); }

    // One of the five coordination messages, as the main window hands it on.
    plat::LRESULT OnSyncMessage(SyncMessage message, plat::WPARAM wParam, plat::LPARAM lParam);
    // Whether the interface may use the index (false between a stop and the reload).
    [[nodiscard]] bool IndexUsable() const { return usable_; }

    void OnContactAdded(uint32_t oid) override;
    void OnContactChanged(uint32_t oid) override;
    void OnContactDeleted(uint32_t oid) override;
    void OnContactsReloaded() override;
    void OnNotify4(uint32_t first, uint32_t second) override { Forward(kClientSlotNotify4, first, second); }
    void OnProgress(uint32_t step) override { Forward(kClientSlotProgress, step, 0); }
    void OnBusy(uint32_t state) override { Forward(kClientSlotBusy, state, 0); }
    void OnManyChanges(uint32_t on) override { Forward(kClientSlotManyChanges, on, 0); }
    void OnNotify8(uint32_t first, uint32_t second) override { Forward(kClientSlotNotify8, first, second); }

private:
    void Forward(int slot, uint32_t first, uint32_t second);
    void Refresh();
    void ReloadFromFiles();

    ContactManager& manager_;
    ContactClientListener* client_ = nullptr;
    EngineSync* sync_ = nullptr;
    std::unordered_map<uint32_t, std::unique_ptr<CachedContact>> cache_{kCacheBuckets};
    bool connected_ = false;
    bool usable_ = true;
};
