#include "ManagerFixture.h"

#include <stdexcept>
#include <string>

#include "categories/manager/CategoryManager.h"
#include "platform/loop/EventLoop.h"

namespace {

constexpr uint32_t kSeed = 20261207;
constexpr int kWaitMs = 600000;
constexpr uint32_t kSampleSize = 1000;

}  // namespace

ManagerFixture::ManagerFixture(uint32_t contacts) : manager_(ContactManager::Instance()), maker_(kSeed) {
    plat::EnsureApplication();
    if (!manager_.Init(nullptr)) throw std::runtime_error("the manager does not open");
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) throw std::runtime_error("no category databases");
    for (uint32_t id = 1; id <= ContactMaker::kCategories; ++id) {
        uint32_t made = 0;
        categories->AddCategory(Str(u"Category " + std::u16string(Str::FromUtf8(std::to_string(id)).View())), made);
        categories_.push_back(made);
    }
    ContactManager::Batch batch(manager_);
    for (uint32_t i = 0; i < contacts; ++i) {
        Contact contact = NewContact();
        if (!manager_.AddContact(contact, true).Complete()) throw std::runtime_error("a contact cannot be written");
        if (i % (contacts / kSampleSize + 1) == 0) stored_.push_back(contact.GetOid());
    }
    if (!batch.End() || !Settle() || !manager_.SaveNow()) throw std::runtime_error("the contacts are not indexed");
}

ManagerFixture::~ManagerFixture() { ContactManager::Release(); }

Contact ManagerFixture::NewContact() {
    Contact contact = maker_.Make(++made_);
    contact.SetOid(0);
    contact.SetRecordId(0);
    for (uint32_t& id : contact.categories) id = categories_[id - 1];
    return contact;
}

bool ManagerFixture::Settle() {
    if (!plat::RunUntil([&] { return manager_.NotificationsDelivered(); }, kWaitMs)) return false;
    manager_.FlushQueue();
    return true;
}
