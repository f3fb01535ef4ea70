#pragma once
// The contact index as the contact manager keeps it: opened against the contacts database,
// rebuilt in full from every contact, changed one contact at a time, searched and saved. The
// program's index is WordIndexKeeper (the word index files); the manager only sees this.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "index/contact_index/IndexDatabase.h"
#include "index/words/IndexResults.h"
#include "index/words/SearchTypes.h"

class Contact;

class ManagedIndex {
public:
    virtual ~ManagedIndex() = default;

    // `mode` 0 at start, 1 on a reopen.
    virtual IndexOpen Open(int mode) = 0;
    virtual void Close() = 0;
    [[nodiscard]] virtual bool IsOpen() const = 0;
    // A full rebuild: Begin, Gather every contact, Finish (false when the files cannot be made).
    virtual void BeginRebuild(uint32_t expectedContacts) = 0;
    virtual void Gather(const Contact& contact) = 0;
    [[nodiscard]] virtual bool FinishRebuild() = 0;
    // One contact's changes (IndexResults.h): Failed when the index could not take them, NotHeld
    // for the removal of a contact it does not hold.
    virtual IndexChange Add(const Contact& contact) = 0;
    virtual IndexChange Update(const Contact& contact) = 0;
    virtual IndexChange Remove(uint32_t oid) = 0;
    [[nodiscard]] virtual bool Holds(uint32_t oid) const = 0;
    // Starts the background save of the files, or (without `background`) cancels running saves.
    virtual void Save(bool background) = 0;
    // Returns once no save is running; false when the last save of either file did not write it.
    [[nodiscard]] virtual bool WaitForSaves() = 0;
    // Saves the files on the calling thread and returns when both are written (false when either
    // could not be).
    [[nodiscard]] virtual bool SaveNow() = 0;
    // The changes the last Open found when it returned Behind (taken once); HoldsChangesUpTo
    // records that every change up to a journal position is in the index; JournalHead is the
    // contacts volume's journal head (unknown when it cannot tell). FilesCatchUpCheaply: whether
    // the files, left unsaved, are brought up to date at the next open by reading at most
    // `atMost` contacts again.
    virtual std::optional<ContactBacklog> TakeBacklog() = 0;
    virtual void HoldsChangesUpTo(const JournalPosition& position) = 0;
    virtual JournalPosition JournalHead() = 0;
    [[nodiscard]] virtual bool FilesCatchUpCheaply(size_t atMost) = 0;
    virtual void MarkFilesInvalid() = 0;
    [[nodiscard]] virtual bool FilesFlaggedInvalid() const = 0;

    virtual OidVector Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                             SearchTree tree) const = 0;
    virtual OidVector ListAll(IndexOrder order, const OidVector* filter) const = 0;
    // The contacts having any of the categories `ids` (ascending); with none, the contacts with an
    // item number and no category. The index keeps each contact's categories as they were when it
    // was indexed (its category assignments change with the contact).
    virtual OidVector CategoryMembers(std::span<const uint32_t> ids) const = 0;
    // The categories the index holds for the contact, ascending (none for a contact it does not hold).
    virtual std::vector<uint32_t> CategoriesOf(uint32_t oid) const = 0;
    // The contacts from the SIM card, ascending, as the index holds them.
    virtual OidVector SimContacts() const = 0;
    // The distinct words the index holds, for figures.
    virtual size_t WordCount() const = 0;
};
