// The program's index on a real device folder: the contact manager with WordIndexKeeper over the
// device's index files, searched through ContactSearch. Adds, updates and deletes are found (and
// no longer found) by words and trailing digits, and a reopen finds the saved files holding the
// same; a save whose file replacement fails is reported, and the next start holds every stored
// contact.
#include "manager/index/WordIndexKeeper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"

namespace {

constexpr int kWaitMs = 30000;

class KeptIndex : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        Connect();
    }

    void Connect() {
        manager = std::make_unique<ContactManager>(std::make_unique<WordIndexKeeper>());
        ASSERT_TRUE(manager->Init(nullptr, nullptr));
    }

    // Hands the notifications of every change so far to the index, now.
    void Settle() {
        ASSERT_TRUE(plat::RunUntil([&] { return manager->NotificationsDelivered(); }, kWaitMs));
        manager->FlushQueue();
    }

    uint32_t Add(const char16_t* first, const char16_t* last, const char16_t* mobile) {
        Contact contact;
        contact.SetText(kFieldFirst, Str(first));
        contact.SetText(kFieldLast, Str(last));
        contact.SetText(kFieldMobile, Str(mobile));
        EXPECT_TRUE(manager->AddContact(contact, true).Complete());
        return contact.GetOid();
    }

    OidVector Typed(std::u16string_view text) {
        ContactSearch search(*manager);
        return search.Typed(text, ListOrder::Name, {}).oids;
    }

    // Each text finds exactly its contacts.
    void ExpectFound(const std::vector<std::pair<std::u16string, OidVector>>& cases) {
        for (const auto& [text, oids] : cases) EXPECT_EQ(Typed(text), oids) << Str(text).ToUtf8();
    }

    TempDevice device;
    std::unique_ptr<ContactManager> manager;
};

}  // namespace

TEST_F(KeptIndex, ChangesAreFoundAndKeptAcrossAReopen) {
    const uint32_t anna = Add(u"Anna", u"Berger", u"+1 555 010 1234");
    const uint32_t bern = Add(u"Bern", u"Adler", u"+1 555 020 9876");
    Settle();
    ExpectFound(
        {{u"ann", {anna}}, {u"ADL", {bern}}, {u"ber", {bern, anna}}, {u"0101234", {anna}}, {u"x", {}}});
    ContactSearch search(*manager);
    EXPECT_EQ(search.Lookup(u"5550209876"), OidVector{bern});

    Contact changed;
    ASSERT_TRUE(manager->ReadContact(anna, changed));
    changed.SetText(kFieldLast, Str(u"Zeller"));
    changed.SetText(kFieldMobile, Str(u"+1 555 030 5555"));
    ASSERT_TRUE(manager->UpdateContact(changed, true).Complete());
    ASSERT_TRUE(manager->DeleteContact(bern).record);
    Settle();
    const std::vector<std::pair<std::u16string, OidVector>> after = {{u"zel", {anna}},     {u"0101234", {}},
                                                                     {u"0305555", {anna}}, {u"adler", {}},
                                                                     {u"0209876", {}},     {u"", {anna}}};
    ExpectFound(after);

    ASSERT_TRUE(manager->SaveNow());
    manager.reset();
    Connect();
    ExpectFound(after);
}

TEST_F(KeptIndex, AFailedFileReplacementIsReportedAndTheNextStartHoldsEveryContact) {
    const uint32_t anna = Add(u"Anna", u"Berger", u"");
    Settle();
    const std::filesystem::path words = device.Host(u"\\pim_index1.dat");
    std::filesystem::remove(words);
    std::filesystem::create_directories(words / "blocker");
    EXPECT_FALSE(manager->SaveNow());
    const uint32_t bern = Add(u"Bern", u"Adler", u"");
    Settle();
    manager.reset();
    std::filesystem::remove_all(words);

    Connect();
    ExpectFound({{u"berger", {anna}}, {u"adler", {bern}}, {u"", {bern, anna}}});
}
