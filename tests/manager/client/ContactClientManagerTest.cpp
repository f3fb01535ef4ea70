// The client manager on a real device folder, with the program's index: what reaches the client
// for each change, the cache entries a change drops, the index closed by a stop and reopened by a
// reload, also after a save whose file replacement failed.
#include "manager/client/ContactClientManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "manager/contacts/ContactManager.h"
#include "manager/index/WordIndexKeeper.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"

namespace {

class Client : public ContactClientListener {
public:
    void OnContactsChanged() override { ++redraws; }
    void OnContactDeleted(uint32_t oid) override { deleted.push_back(oid); }
    void OnRebuildProgress(uint32_t) override {}
    void OnStoreBusy(bool) override {}
    void OnManyChanges(bool) override {}
    int redraws = 0;
    std::vector<uint32_t> deleted;
};

class ClientOnDevice : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        ASSERT_TRUE(clients.Connect(&client, nullptr));
    }

    void Settle() {
        ASSERT_TRUE(plat::RunUntil([&] { return manager.NotificationsDelivered(); }, 30000));
        manager.FlushQueue();
    }

    uint32_t Add(const char16_t* last) {
        Contact contact;
        contact.SetText(kFieldLast, Str(last));
        EXPECT_TRUE(clients.AddContact(contact, true).Complete());
        return contact.GetOid();
    }

    OidVector Find(std::u16string_view text) {
        return manager.Index().Search(text, IndexOrder::Name, nullptr, SearchTree::Text);
    }

    TempDevice device;
    ContactManager manager{std::make_unique<WordIndexKeeper>()};
    ContactClientManager clients{manager};
    Client client;
};

}  // namespace

TEST_F(ClientOnDevice, ChangesReachTheClientAndDropTheirCacheEntries) {
    const uint32_t anna = Add(u"Anna");
    const uint32_t bern = Add(u"Bern");
    Settle();
    EXPECT_GE(client.redraws, 2);
    for (const uint32_t oid : {anna, bern}) clients.Cache(oid, std::make_unique<CachedContact>());

    Contact changed;
    ASSERT_TRUE(clients.GetContact(anna, changed));
    changed.SetText(kFieldCompany, Str(u"Quirkwell"));
    ASSERT_TRUE(clients.UpdateContact(changed, true).Complete());
    ASSERT_TRUE(clients.DeleteContact(bern).record);
    Settle();
    EXPECT_EQ(clients.Cached(anna), nullptr) << "a changed contact keeps its cache entry";
    EXPECT_EQ(clients.CacheSize(), 0u);
    EXPECT_EQ(client.deleted, std::vector<uint32_t>{bern});
    EXPECT_EQ(Find(u"quirk"), OidVector{anna});
}

// A stop closes the index until the reload; a reload after a save that could not replace the
// words file (and the file then missing) rebuilds the index with every stored contact.
TEST_F(ClientOnDevice, AReloadAfterAFailedSaveHoldsEveryStoredContact) {
    const uint32_t anna = Add(u"Anna");
    Settle();
    const std::filesystem::path words = device.Host(u"\\pim_index1.dat");
    std::filesystem::remove(words);
    std::filesystem::create_directories(words / "blocker");
    EXPECT_FALSE(manager.SaveNow());
    clients.Cache(anna, std::make_unique<CachedContact>());

    clients.OnCoordMessage(CoordMessage::SlaveStop, 0, 0);
    EXPECT_FALSE(clients.IndexUsable());
    EXPECT_FALSE(manager.Index().IsOpen());
    std::filesystem::remove_all(words);
    clients.OnCoordMessage(CoordMessage::SlaveReload, 0, 0);
    EXPECT_TRUE(clients.IndexUsable());
    EXPECT_EQ(clients.CacheSize(), 0u);
    EXPECT_EQ(Find(u"anna"), OidVector{anna});
    const uint32_t bern = Add(u"Bern");
    Settle();
    EXPECT_EQ(Find(u"bern"), OidVector{bern});
    EXPECT_TRUE(manager.SaveNow());
}
