#pragma once
// ContactClientManager: between the contact manager and the user interface. It connects the two
// at start-up, keeps the contacts the interface asked for in a small cache, observes the manager
// (from Connect to Disconnect) to keep the cache right and tells the client (the main window
// frame) what changed, and carries out the coordination messages that reach the program's main
// window.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "manager/contacts/ContactWrite.h"
#include "manager/coord/CoordMessages.h"
#include "manager/listener/ContactClientListener.h"
#include "manager/listener/ContactManagerListener.h"
#include "platform/window/WindowTypes.h"

class Contact;
class ContactManager;
class CoordEngine;

// An entry of the cache (the interface keeps what it derived from a contact in one).
class CachedContact {
public:
    virtual ~CachedContact() = default;
    uint32_t linkType = 0;
};

class ContactClientManager : public ContactManagerListener {
public:
    static constexpr size_t kCacheBuckets = 10;
    // The main window's private message that clears the cache.
    static constexpr uint32_t kResetMessage = 0x0400 - 1;

    explicit ContactClientManager(ContactManager& manager) : manager_(manager) {}
    ~ContactClientManager() override;

    // Starts observing the manager and runs its Init; false (and disconnected) when it fails.
    [[nodiscard]] bool Connect(ContactClientListener* client, CoordEngine* coord);
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
    plat::LRESULT OnCoordMessage(CoordMessage message, plat::WPARAM wParam, plat::LPARAM lParam);
    // Whether the interface may use the index (false between a stop and the reload).
    [[nodiscard]] bool IndexUsable() const { return usable_; }

    void OnContactAdded(uint32_t oid) override;
    void OnContactChanged(uint32_t oid) override;
    void OnContactDeleted(uint32_t oid) override;
    void OnContactsReloaded() override;
    void OnProgress(uint32_t step) override;
    void OnBusy(bool busy) override;
    void OnManyChanges(bool many) override;

private:
    void Refresh();
    void ReloadFromFiles();

    ContactManager& manager_;
    ContactClientListener* client_ = nullptr;
    CoordEngine* coord_ = nullptr;
    std::unordered_map<uint32_t, std::unique_ptr<CachedContact>> cache_{kCacheBuckets};
    bool connected_ = false;
    bool usable_ = true;
};
