#pragma once
// The program's index: the word index files (ContactIndex) against the contacts database, whose
// sort texts the comparators read through a cache. Each contact's further values get a slot of the
// properties store; the word index maps the contact to it.
#include <memory>

#include "index/contact_index/ContactIndex.h"
#include "index/contact_index/IndexRebuild.h"
#include "manager/index/ContactsSource.h"
#include "manager/index/ManagedIndex.h"
#include "manager/index/SortKeyCache.h"

class WordIndexKeeper : public ManagedIndex {
public:
    IndexOpen Open(int mode) override;
    void Close() override;
    [[nodiscard]] bool IsOpen() const override { return index_.IsOpen(); }
    void BeginRebuild(uint32_t expectedContacts) override;
    void Gather(const Contact& contact) override;
    [[nodiscard]] bool FinishRebuild() override;
    IndexChange Add(const Contact& contact) override;
    IndexChange Update(const Contact& contact) override;
    IndexChange Remove(uint32_t oid) override;
    [[nodiscard]] bool Holds(uint32_t oid) const override { return index_.FindSlot(oid).has_value(); }
    void Save(bool background) override { index_.Save(background); }
    [[nodiscard]] bool WaitForSaves() override { return index_.WaitForSaves(); }
    [[nodiscard]] bool SaveNow() override { return index_.SaveNow(); }
    std::optional<ContactBacklog> TakeBacklog() override { return index_.TakeBacklog(); }
    void HoldsChangesUpTo(const JournalPosition& position) override { index_.HoldsChangesUpTo(position); }
    JournalPosition JournalHead() override {
        return EnsureSource() ? source_.JournalHead() : JournalPosition{};
    }
    [[nodiscard]] bool FilesCatchUpCheaply(size_t atMost) override {
        return index_.FilesCatchUpCheaply(atMost);
    }
    void MarkFilesInvalid() override { index_.MarkFilesInvalid(); }
    [[nodiscard]] bool FilesFlaggedInvalid() const override { return index_.FilesFlaggedInvalid(); }
    OidVector Search(std::u16string_view query, IndexOrder order, const OidVector* filter,
                     SearchTree tree) const override {
        return index_.Search(query, order, filter, tree);
    }
    OidVector ListAll(IndexOrder order, const OidVector* filter) const override {
        return index_.ListAll(order, filter);
    }
    OidVector CategoryMembers(std::span<const uint32_t> ids) const override { return index_.CategoryMembers(ids); }
    std::vector<uint32_t> CategoriesOf(uint32_t oid) const override { return index_.CategoriesOf(oid); }
    OidVector SimContacts() const override { return index_.SimContacts(); }
    size_t WordCount() const override { return index_.Words().WordCount(); }

private:
    [[nodiscard]] bool EnsureSource();

    ContactsSource source_;
    SortKeyCache keys_{source_};
    bool sourceOpen_ = false;
    ContactIndex index_;
    std::unique_ptr<IndexRebuild> gathered_;
};
