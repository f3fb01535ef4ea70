#pragma once
// A device with the contact manager open over the program's word index, for the tests of the
// list models on a real store: contacts are added through the manager and indexed as the running
// program indexes them (their notifications handled at once instead of 500 ms later).
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "Announcements.h"
#include "categories/filter/CategoryFilterHost.h"
#include "manager/contacts/ContactManager.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "support/ContactOf.h"
#include "support/TempDevice.h"

class ListDevice : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        ASSERT_TRUE(Manager().Init(nullptr));
    }
    void TearDown() override { ContactManager::Release(); }

    static ContactManager& Manager() { return ContactManager::Instance(); }

    // Adds a contact of (field, text) pairs, from the SIM card or the phone's own, and waits until the
    // index holds it.
    uint32_t Add(FieldTexts fields, bool fromSim = false) {
        Contact contact = ContactOf(fields);
        contact.SetFromSim(fromSim);
        EXPECT_TRUE(Manager().AddContact(contact, true).Complete());
        const uint32_t oid = contact.GetOid();
        Settle([oid] { return Indexed(oid); });
        return oid;
    }

    static bool Indexed(uint32_t oid) {
        const std::vector<uint32_t> all = Manager().Index().ListAll(IndexOrder::Name, nullptr);
        return std::find(all.begin(), all.end(), oid) != all.end();
    }

    // Handles the store's notifications as they arrive until `done` holds.
    template <typename Done>
    static void Settle(Done done) {
        EXPECT_TRUE(plat::RunUntil(
            [&] {
                if (!Manager().Queue().Empty()) Manager().FlushQueue();
                return done();
            },
            30000));
    }

    TempDevice device_;
};

// The filter's host without a screen: fixed measures, a dialog that answers as told.
class FakeFilterHost : public catfilter::CategoryFilterHost {
public:
    int MenuBarHeight() override { return 26; }
    int ScreenDpiX() override { return 96; }
    int TextWidth(std::u16string_view text) override { return static_cast<int>(text.size()) * 6; }
    bool ChooseCategories(bool, const std::vector<uint32_t>&, std::vector<uint32_t>& chosen) override {
        chosen = answer;
        return true;
    }
    std::vector<uint32_t> AllContacts() override {
        return ContactManager::Instance().Index().ListAll(IndexOrder::Name, nullptr);
    }
    std::vector<uint32_t> answer;
};
