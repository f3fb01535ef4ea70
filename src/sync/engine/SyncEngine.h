#pragma once
// One two-way sync of an address book with the device's contacts (docs/sync.md): local deletes
// are pushed first, then local changes and new contacts, then the server's changes are pulled.
// The state file is saved after each phase and after each batch of pulled cards; the sync token
// and the journal position move forward only in the last save, after every pulled change is
// stored on the device. A sync that fails part-way throws carddav::DavError or LocalError and
// what it did until then is in the report it was given.
#include <cstddef>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "sync/dav/DavClient.h"
#include "sync/local/LocalContacts.h"
#include "sync/merge/CardMerge.h"
#include "sync/state/SyncState.h"

namespace carddav {

struct SyncReport {
    size_t sent = 0;                   // cards written to the server
    size_t received = 0;               // contacts written on the device from the server's cards
    size_t deletedHere = 0;            // contacts deleted on the device
    size_t deletedThere = 0;           // cards deleted on the server
    size_t conflicts = 0;              // values kept as conflict records by this sync
    std::vector<std::string> refused;  // "NAME: the server's reason", one per card left queued
    size_t requests = 0;
};

class SyncEngine {
public:
    SyncEngine(DavClient& dav, LocalContacts& local, std::string bookUrl, std::filesystem::path stateFile);
    // Runs the sync; `report` holds what was done also when it throws.
    void Run(SyncReport& report);

private:
    // A contact new here, its projection, and the keys it is matched to the server's cards by.
    struct Pending {
        uint32_t oid = 0;
        std::string uid;
        VCard projection;
        std::string folded;
        std::set<std::string> keys;
        bool matched = false;
    };
    static Pending MakePending(uint32_t oid, std::string uid, VCard projection);
    void ReadLocalChanges();
    void PushDeletes();
    void PushChanges();
    void PushNew();
    void Pull();
    // After new cards were sent, lists the changes since the pull's token once more, so that the
    // stored token covers the new cards (a server need not report a card that was made and
    // deleted between two tokens) and whatever else changed meanwhile is taken in.
    void CatchUpOwnWrites();
    void Reconcile(const Listing& listing, bool full, bool trustAbsence);
    void Fetch(const std::vector<std::string>& urls);
    // Brings the card into the contact of `entry` (a new contact when it has none), merged with
    // the local values against `base` (null: no common base), and sends the merge back when it
    // differs from the server's card.
    void MergeInto(SyncEntry& entry, const VCard& server, const FetchedCard& card, const VCard* base);
    // Writes the local values over `base` to the entry's card; a 412 fetches, merges and (when
    // `mayRetry`) writes once more; a refusal is named in the report.
    void Upload(SyncEntry& entry, const VCard* base, const VCard& local, bool mayRetry);
    // Whether the contact changed here since the last sync (its fingerprint, else its base).
    [[nodiscard]] bool ChangedHere(const SyncEntry& entry, const VCard& localProjection);
    // Takes the fingerprint of the entry's contact as it is now.
    void RecordLocal(SyncEntry& entry);
    // Deletes the entry's contact here, unless it changed here since the base (then it is sent again).
    void RemoveHere(const SyncEntry& entry);
    // A contact new here that is the person of the server's card: the same UID, else the same
    // name (words in any order, case ignored) and a shared number or e-mail address; 0 when none.
    uint32_t MatchLocal(const VCard& server);
    void KeepConflicts(const std::vector<ValueConflict>& conflicts, const std::string& uid,
                       const std::string& name);
    void Save();

    DavClient& dav_;
    LocalContacts& local_;
    std::string bookUrl_;
    std::filesystem::path stateFile_;
    SyncState state_;
    SyncReport* report_ = nullptr;
    std::vector<uint32_t> deleted_;     // local contacts gone since the last sync
    std::vector<uint32_t> changed_;     // synced contacts changed here
    std::vector<Pending> created_;      // contacts new here, sent after the pull
    std::vector<std::string> refetch_;  // cards to fetch whatever the listing says
    std::string newToken_;              // the token once the pull is stored
    // A merge to send once the batch that stored it here is committed.
    struct Deferred {
        std::string url;
        VCard server;
        VCard merged;
    };
    std::vector<Deferred> deferred_;
    bool deferring_ = false;
    static constexpr const char* kCtagPrefix = "ctag:";  // a stored token that is a getctag
    AddressBook book_;                                   // as the pull read it
    bool sentNew_ = false;                               // a new card was sent after the pull
};

}  // namespace carddav
