#include "manager/index/WordIndexKeeper.h"

#include "index/props/PropsStore.h"
#include "store/contact/Contact.h"

bool WordIndexKeeper::EnsureSource() {
    if (!sourceOpen_) sourceOpen_ = source_.Open();
    return sourceOpen_;
}

int WordIndexKeeper::Open(int mode) {
    if (!EnsureSource()) return kFailed;
    keys_.ForgetAll();
    return index_.Open(keys_, mode);
}

void WordIndexKeeper::Close() {
    index_.Close();
    keys_.ForgetAll();
    source_.Close();
    sourceOpen_ = false;
}

void WordIndexKeeper::BeginRebuild(uint32_t) { gathered_ = std::make_unique<IndexRebuild>(); }

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

bool WordIndexKeeper::Add(const Contact& contact) {
    if (!index_.IsOpen()) return false;
    keys_.Forget(contact.GetOid());
    const uint32_t slot = index_.Props().AddRecord(contact);
    return slot != 0 && index_.AddContact(contact, contact.GetNoteText().View(), slot);
}

bool WordIndexKeeper::Update(const Contact& contact) {
    const std::optional<uint32_t> slot = index_.FindSlot(contact.GetOid());
    if (!slot) return Add(contact);
    keys_.Forget(contact.GetOid());
    return index_.Props().UpdateRecord(*slot, contact) &&
           index_.UpdateContact(contact, contact.GetNoteText().View(), *slot);
}

bool WordIndexKeeper::Remove(uint32_t oid) {
    keys_.Forget(oid);
    const std::optional<uint32_t> slot = index_.FindSlot(oid);
    if (!slot || !index_.RemoveContact(oid)) return false;
    index_.Props().RemoveRecord(*slot);
    return true;
}
