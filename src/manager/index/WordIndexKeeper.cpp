#include "manager/index/WordIndexKeeper.h"

#include "index/props/PropsStore.h"
#include "store/contact/Contact.h"

bool WordIndexKeeper::EnsureSource() {
    if (!sourceOpen_) sourceOpen_ = source_.Open();
    return sourceOpen_;
}

int WordIndexKeeper::Open(int mode) {
    if (!EnsureSource()) return kFailed;
    return index_.Open(source_, mode);
}

void WordIndexKeeper::Close() {
    index_.Close();
    source_.Close();
    sourceOpen_ = false;
}

void WordIndexKeeper::BeginRebuild(uint32_t) { gathered_ = std::make_unique<IndexRebuild>(); }

void WordIndexKeeper::Gather(const Contact& contact) {
    if (gathered_) gathered_->Add(contact, contact.GetNoteText().View());
}

bool WordIndexKeeper::FinishRebuild() {
    if (!gathered_ || !EnsureSource()) return false;
    const bool built = index_.Rebuild(source_, *gathered_);
    gathered_.reset();
    return built;
}

bool WordIndexKeeper::Add(const Contact& contact) {
    if (!index_.IsOpen()) return false;
    const uint32_t slot = index_.Props().AddRecord(contact);
    return slot != 0 && index_.AddContact(contact, contact.GetNoteText().View(), slot);
}

bool WordIndexKeeper::Update(const Contact& contact) {
    const std::optional<uint32_t> slot = index_.FindSlot(contact.GetOid());
    if (!slot) return Add(contact);
    return index_.Props().UpdateRecord(*slot, contact) &&
           index_.UpdateContact(contact, contact.GetNoteText().View(), *slot);
}

bool WordIndexKeeper::Remove(uint32_t oid) {
    const std::optional<uint32_t> slot = index_.FindSlot(oid);
    if (!slot || !index_.RemoveContact(oid)) return false;
    index_.Props().RemoveRecord(*slot);
    return true;
}
