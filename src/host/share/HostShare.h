#pragma once
// Keeps the shared address book (SharedBook.h) in step with the contacts: an observer of the
// contact manager that notes which contacts changed and writes them when the manager's batch of
// changes ends (within a second of the change: the batch ends 500 ms after the last change of a
// burst). Noting costs the change path a set insertion; the writing is the batch's end.
//
// A card carries the contact's categories, and X-FOLKS-FAVOURITE:true when the contact is on
// speed dial. A full rebuild of the index (a large import) writes every contact again and removes
// the files of contacts that are gone.
#include <cstdint>
#include <unordered_set>

#include "host/share/SharedBook.h"
#include "manager/listener/ContactManagerListener.h"

class ContactManager;

class HostShare : public ContactManagerListener {
public:
    // Observes `manager` until destroyed.
    HostShare(ContactManager& manager, SharedBook book);
    ~HostShare() override;
    HostShare(const HostShare&) = delete;
    HostShare& operator=(const HostShare&) = delete;

    void OnContactAdded(uint32_t oid) override { changed_.insert(oid); }
    void OnContactChanged(uint32_t oid) override { changed_.insert(oid); }
    void OnContactDeleted(uint32_t oid) override { changed_.insert(oid); }
    void OnContactsReloaded() override { everything_ = true; }
    void OnBusy(bool busy) override;

    // Writes what changed since the last write (everything when a numbers table is kept and this
    // has not written it whole yet); false when a file could not be written (the
    // contacts it concerned are tried again at the next write).
    [[nodiscard]] bool Write();
    // Writes every contact of the index and removes the files of all others.
    [[nodiscard]] bool WriteAll();
    // What a program does when it starts sharing: WriteAll when the folder of cards does not exist
    // yet; nothing otherwise, as every program that changes contacts keeps the cards in step.
    [[nodiscard]] bool Begin();

    const SharedBook& Book() const { return book_; }

private:
    [[nodiscard]] bool WriteContact(uint32_t oid, const std::unordered_set<uint32_t>& favourites);
    // Reads the table's lines of every contact not waiting to be written, without writing files.
    void LearnTable();

    ContactManager& manager_;
    SharedBook book_;
    std::unordered_set<uint32_t> changed_;
    bool everything_ = false;
    bool tableComplete_ = false;  // the table's lines of every contact are known
};

// Whether the device shares its contacts with the host (plat::kShareContactsValue).
[[nodiscard]] bool SharesContacts();
