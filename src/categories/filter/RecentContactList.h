#pragma once
// RecentContactList: the contacts used most recently (object identifiers of their records), most
// recent first, at most 20. Kept in the settings section "CatRecent" as a list. The stored list
// is read at most once a run and merged behind the contacts touched before, so that saving never
// loses a stored entry, whether or not the list was shown in the run.
#include <cstdint>
#include <span>
#include <vector>

class RecentContactList {
public:
    static constexpr int kCapacity = 20;

    const std::vector<uint32_t>& Oids() const { return oids_; }
    [[nodiscard]] bool IsLoaded() const { return loaded_; }

    // Moves the contact to the front; when it is new and the list is full the oldest is dropped.
    void Touch(uint32_t oid);
    void Remove(std::span<const uint32_t> oids);
    // Drops every contact that `existing` does not hold; an empty `existing` drops nothing (an
    // empty store list means it could not be read, not that every contact is gone).
    void KeepExisting(std::span<const uint32_t> existing);

    // Merges the stored list behind the present entries, the first time only.
    void Load();
    // Load, then deletes the section and writes it again whole.
    [[nodiscard]] bool Save();

private:
    std::vector<uint32_t> oids_;
    bool loaded_ = false;
};
