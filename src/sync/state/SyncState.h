#pragma once
// What one account remembers between syncs (docs/sync.md has the file's layout): the address
// book's sync token, the position in the store's change journal that the last sync had taken in,
// one entry per contact that is on the server, and the conflicts kept for the user. The file is
// replaced whole (written beside, flushed, renamed), so a sync killed at any moment leaves either
// the state before or the state after one of its saves.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace carddav {

struct SyncEntry {
    uint32_t oid = 0;  // the local contact; 0 while the card has no contact here
    std::string url;   // the card's absolute URL
    std::string etag;  // exactly as the server sent it
    std::string uid;
    std::string base;   // the card as the server had it at the last sync (vCard text)
    std::string local;  // the fingerprint of the contact as this device held it then; empty: none
};

struct Conflict {
    std::string uid;
    std::string name;        // the contact's name when the conflict was kept
    std::string property;    // the vCard property ("TITLE", "N")
    std::string localValue;  // the value this device had; the server's value won
    std::string serverValue;
    std::string when;  // UTC, ISO 8601
};

class SyncState {
public:
    static constexpr const char* kMagic = "BREVANE-CARDDAV-STATE 1";

    std::string token;
    int64_t journal = -1;  // -1: no position yet (the next sync reads every contact)
    std::map<std::string, SyncEntry> byUrl;
    std::vector<Conflict> conflicts;

    // Reads the file; a missing file is an empty state. Throws std::runtime_error for a file that
    // is not a state file or is damaged (a sync must not start over and duplicate everything).
    static SyncState Load(const std::filesystem::path& file);
    // Writes the file whole in place of the old one; throws std::runtime_error on failure.
    void Save(const std::filesystem::path& file) const;

    SyncEntry* ByOid(uint32_t oid);
    SyncEntry* ByUid(const std::string& uid);
};

// The time now in UTC, ISO 8601 to the second ("2026-12-08T00:00:22Z").
std::string UtcNow();

}  // namespace carddav
