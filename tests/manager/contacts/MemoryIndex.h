#pragma once
// An index kept in memory for the contact manager's tests: it holds the contacts it was given
// and counts rebuilds and saves, so a test sees exactly what the manager did to its index.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "manager/index/ManagedIndex.h"
#include "store/contact/Contact.h"

class MemoryIndex : public ManagedIndex {
public:
    IndexOpen openResult = IndexOpen::Ready;
    bool failChanges = false;  // adds, replaces and removals fail
    int rebuilds = 0;
    int saves = 0;
    int puts = 0;  // adds and updates
    std::map<uint32_t, Str> held;  // identifier -> last name
    std::optional<ContactBacklog> backlog;  // handed out once after an Open that returns Behind
    JournalPosition head;                   // the journal head it reports
    JournalPosition heldUpTo;               // the last HoldsChangesUpTo
    size_t filesBehind = SIZE_MAX;          // contacts a catch-up of the files would read again

    IndexOpen Open(int) override { return open_ = openResult != IndexOpen::Failed, openResult; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void BeginRebuild(uint32_t) override { gathered_.clear(); }
    void Gather(const Contact& contact) override { gathered_[contact.GetOid()] = contact.GetText(kFieldLast); }
    bool FinishRebuild() override {
        ++rebuilds;
        held = gathered_;
        return open_ = true;
    }
    IndexChange Add(const Contact& contact) override { return Put(contact); }
    IndexChange Update(const Contact& contact) override { return Put(contact); }
    IndexChange Remove(uint32_t oid) override {
        if (failChanges) return IndexChange::Failed;
        return held.erase(oid) == 1 ? IndexChange::Done : IndexChange::NotHeld;
    }
    bool Holds(uint32_t oid) const override { return held.count(oid) == 1; }
    void Save(bool background) override { saves += background ? 1 : 0; }
    bool WaitForSaves() override { return true; }
    bool SaveNow() override {
        ++saves;
        return true;
    }
    std::optional<ContactBacklog> TakeBacklog() override { return std::exchange(backlog, std::nullopt); }
    void HoldsChangesUpTo(const JournalPosition& position) override { heldUpTo = position; }
    JournalPosition JournalHead() override { return head; }
    bool FilesCatchUpCheaply(size_t atMost) override { return filesBehind <= atMost; }
    void MarkFilesInvalid() override {}
    bool FilesFlaggedInvalid() const override { return false; }
    OidVector Search(std::u16string_view, IndexOrder, const OidVector*, SearchTree) const override { return {}; }
    OidVector ListAll(IndexOrder, const OidVector*) const override {
        OidVector all;
        for (const auto& [oid, name] : held) all.push_back(oid);
        return all;
    }
    OidVector CategoryMembers(std::span<const uint32_t>) const override { return {}; }
    std::vector<uint32_t> CategoriesOf(uint32_t) const override { return {}; }
    OidVector SimContacts() const override { return {}; }
    size_t WordCount() const override { return 0; }

private:
    IndexChange Put(const Contact& contact) {
        if (failChanges) return IndexChange::Failed;
        ++puts;
        held[contact.GetOid()] = contact.GetText(kFieldLast);
        return IndexChange::Done;
    }
    bool open_ = false;
    std::map<uint32_t, Str> gathered_;
};
