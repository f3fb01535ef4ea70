#include "manager/client/ContactClientManager.h"

#include "manager/contacts/ContactManager.h"
#include "manager/coord/CoordEngine.h"

ContactClientManager::~ContactClientManager() { Disconnect(); }

bool ContactClientManager::Connect(ContactClientListener* client, CoordEngine* coord) {
    client_ = client;
    coord_ = coord;
    cache_.reserve(kCacheBuckets);
    manager_.AddListener(*this);
    connected_ = manager_.Init(coord);
    if (!connected_) Disconnect();
    return connected_;
}

void ContactClientManager::Disconnect() {
    if (connected_) manager_.Close();
    manager_.RemoveListener(*this);
    connected_ = false;
    cache_.clear();
}

bool ContactClientManager::GetContact(uint32_t oid, Contact& contact) { return manager_.ReadContact(oid, contact); }
ContactWrite ContactClientManager::AddContact(Contact& contact, bool writeNote) {
    return manager_.AddContact(contact, writeNote);
}
ContactWrite ContactClientManager::UpdateContact(Contact& contact, bool writeNote) {
    return manager_.UpdateContact(contact, writeNote);
}
ContactWrite ContactClientManager::DeleteContact(uint32_t oid) { return manager_.DeleteContact(oid); }

CachedContact* ContactClientManager::Cached(uint32_t oid) {
    const auto found = cache_.find(oid);
    return found == cache_.end() ? nullptr : found->second.get();
}

void ContactClientManager::Cache(uint32_t oid, std::unique_ptr<CachedContact> entry) { cache_[oid] = std::move(entry); }

void ContactClientManager::Refresh() {
    if (client_ != nullptr) client_->OnContactsChanged();
}

void ContactClientManager::OnContactAdded(uint32_t) { Refresh(); }

void ContactClientManager::OnContactChanged(uint32_t oid) {
    cache_.erase(oid);
    Refresh();
}

void ContactClientManager::OnContactDeleted(uint32_t oid) {
    cache_.erase(oid);
    Refresh();
    if (client_ != nullptr) client_->OnContactDeleted(oid);
}

void ContactClientManager::OnContactsReloaded() {
    cache_.clear();
    Refresh();
}

void ContactClientManager::OnProgress(uint32_t step) {
    if (client_ != nullptr) client_->OnRebuildProgress(step);
}

void ContactClientManager::OnBusy(bool busy) {
    if (client_ != nullptr) client_->OnStoreBusy(busy);
}

void ContactClientManager::OnManyChanges(bool many) {
    if (client_ != nullptr) client_->OnManyChanges(many);
}

void ContactClientManager::ReloadFromFiles() {
    manager_.Reopen();
    usable_ = true;
    cache_.clear();
    Refresh();
}

plat::LRESULT ContactClientManager::OnCoordMessage(CoordMessage message, plat::WPARAM wParam,
                                                   plat::LPARAM lParam) {
    switch (message) {
        case CoordMessage::ChangeToMaster:
            if (coord_ != nullptr) coord_->SetMaster(true);
            ReloadFromFiles();
            return 1;
        case CoordMessage::ChangeToSlave:
            if (coord_ != nullptr) coord_->SetMaster(false);
            return 1;
        case CoordMessage::SlaveReload: ReloadFromFiles(); return 1;
        case CoordMessage::SlaveStop:
            manager_.Index().Close();
            usable_ = false;
            return 1;
        case CoordMessage::UpdateLinkType: {
            const auto oid = static_cast<uint32_t>(wParam);
            const auto linkType = static_cast<uint32_t>(lParam);
            if (coord_ != nullptr && !coord_->IsMaster()) {
                coord_->UpdateLinkType(oid, linkType);
            } else if (CachedContact* cached = Cached(oid)) {
                cached->linkType = linkType;
            }
            Refresh();
            return 1;
        }
    }
    return 0;
}
