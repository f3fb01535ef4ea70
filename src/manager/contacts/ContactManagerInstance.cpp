// The process's contact manager, over the program's word index.
#include "manager/contacts/ContactManager.h"
#include "manager/index/WordIndexKeeper.h"

namespace {

std::unique_ptr<ContactManager>& Slot() {
    static std::unique_ptr<ContactManager> manager;
    return manager;
}

}  // namespace

ContactManager& ContactManager::Instance() {
    if (!Slot()) Slot() = std::make_unique<ContactManager>(std::make_unique<WordIndexKeeper>());
    return *Slot();
}

void ContactManager::Release() { Slot().reset(); }
