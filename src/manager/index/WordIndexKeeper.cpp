#include "manager/index/WordIndexKeeper.h"

#include "index/props/PropsStore.h"
#include "store/contact/Contact.h"

bool WordIndexKeeper::EnsureSource() {
    if (!sourceOpen_) sourceOpen_ = source_.Open();
    return sourceOpen_;
}

IndexOpen WordIndexKeeper::Open(int mode) {
    if (!EnsureSource()) return IndexOpen::Failed;
    keys_.ForgetAll();
    return index_.Open(keys_, mode);
}

void WordIndexKeeper::Close() {
    index_.Close();
    keys_.ForgetAll();
    source_.Close();
    sourceOpen_ = false;
}

// The files held until the rebuild replaces them are marked as being updated: a rebuild that ends
// without its new files (the store could not be read whole) never leaves them to pass for an index
// of the store; whatever is saved of them is refused at the next open and rebuilt.
void WordIndexKeeper::BeginRebuild(uint32_t count) {
    if (index_.IsOpen()) index_.Props().SetUpdating(true);
    gathered_ = std::make_unique<IndexRebuild>(count);
    if (EnsureSource()) gathered_->SetPosition(source_.JournalHead());
}

void WordIndexKeeper::Gather(const Contact& contact) {
    if (gathered_) gathered_->Add(contact, contact.GetNoteText().View());
}

bool WordIndexKeeper::FinishRebuild() {
    if (!gathered_ || !EnsureSource()) return false;
    keys_.ForgetAll();
    const bool built = index_.Rebuild(keys_, *gathered_);
    gathered_.reset();
    return built;
}

// A contact the index holds already (its creation reached the index twice, by a catch-up at open
// and by its notification) keeps its slot: a second one would be left behind in the store.
IndexChange WordIndexKeeper::Add(const Contact& contact) {
    if (!index_.IsOpen()) return IndexChange::Failed;
    if (Holds(contact.GetOid())) return Update(contact);
    keys_.Forget(contact.GetOid());
    const uint32_t slot = index_.Props().AddRecord(contact);
    if (slot == 0) return IndexChange::Failed;
    return index_.AddContact(contact, contact.GetNoteText().View(), slot);
}

IndexChange WordIndexKeeper::Update(const Contact& contact) {
    const std::optional<uint32_t> slot = index_.FindSlot(contact.GetOid());
    if (!slot) return Add(contact);
    keys_.Forget(contact.GetOid());
    if (!index_.Props().UpdateRecord(*slot, contact)) return IndexChange::Failed;
    return index_.UpdateContact(contact, contact.GetNoteText().View(), *slot);
}

// The contact leaves the word index first; its further values' record goes after. A record that
// cannot be freed (a damaged chain) fails the removal and marks the files for a rebuild.
IndexChange WordIndexKeeper::Remove(uint32_t oid) {
    if (!index_.IsOpen()) return IndexChange::Failed;
    keys_.Forget(oid);
    const std::optional<uint32_t> slot = index_.FindSlot(oid);
    if (!slot) return IndexChange::NotHeld;
    const IndexChange removed = index_.RemoveContact(oid);
    if (removed != IndexChange::Done) return removed;
    if (index_.Props().RemoveRecord(*slot)) return IndexChange::Done;
    index_.Props().SetUpdating(true);
    return IndexChange::Failed;
}
