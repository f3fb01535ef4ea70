// The list's category filter answers from the index: with the contacts database closed, so that no
// record can be read, it lets through exactly the contacts that the store's category assignments
// name, after a rebuild and after single changes alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFields.h"
#include "support/TempDevice.h"

namespace {

constexpr int kWaitMs = 30000;

// The filter as the store says it: each indexed contact read, with its assignments, in name order.
OidVector FromTheStore(ContactManager& manager, const CategoryRestriction& filter) {
    OidVector passed;
    for (const uint32_t oid : manager.Index().ListAll(IndexOrder::Name, nullptr)) {
        Contact contact;
        Array<uint32_t> ids;
        if (!manager.ReadContact(oid, contact) || !CategoryManager::Instance()->GetContactCategories(contact, ids)) continue;
        const bool any = std::any_of(ids.begin(), ids.end(), [&](uint32_t id) {
            return std::find(filter.ids.begin(), filter.ids.end(), id) != filter.ids.end();
        });
        if (filter.ids.empty() ? ids.IsEmpty() : any) passed.push_back(oid);
    }
    return passed;
}

class CategoryFilter : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        ASSERT_TRUE(manager.Init(nullptr));
        for (const char16_t* name : {u"Family", u"Work", u"Golf", u"Unused"}) {
            ASSERT_NE(CategoryManager::Instance()->AddCategory(Str(name), ids[name]), CategoryManager::kAddFailed);
        }
    }
    void TearDown() override { ContactManager::Release(); }

    uint32_t Add(const char16_t* last, std::vector<const char16_t*> categories) {
        Contact contact;
        contact.SetText(kFieldLast, Str(last));
        contact.SetText(kFieldEmail1, Str(last) + u"@example.org");
        for (const char16_t* name : categories) contact.categories.Add(ids[name]);
        EXPECT_TRUE(manager.AddContact(contact, true).Complete());
        return contact.GetOid();
    }
    void Settle() {
        ASSERT_TRUE(plat::RunUntil([&] { return manager.NotificationsDelivered(); }, kWaitMs));
        manager.FlushQueue();
    }
    std::vector<CategoryRestriction> Filters() {
        return {{true, {ids[u"Family"]}}, {true, {}}, {true, {ids[u"Golf"], ids[u"Work"]}}, {true, {ids[u"Unused"]}}};
    }
    // Every filter, answered with the contacts database closed, against the store's answers.
    void ExpectTheStoresAnswers() {
        std::vector<OidVector> expected;
        for (const CategoryRestriction& filter : Filters()) expected.push_back(FromTheStore(manager, filter));
        manager.Databases().Contacts().Close();
        ContactSearch search(manager);
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(search.ListAll(ListOrder::Name, Filters()[i]).oids, expected[i]) << "filter " << i;
        }
        const CategoryRestriction family{true, {ids[u"Family"]}};
        EXPECT_EQ(search.Typed(u"b", ListOrder::Name, family).oids, OidVector{oids[u"Berg"]});
    }

    TempDevice device;
    ContactManager& manager = ContactManager::Instance();
    std::map<std::u16string, uint32_t> ids;
    std::map<std::u16string, uint32_t> oids;
};

TEST_F(CategoryFilter, AfterARebuildTheIndexAnswersAsTheStore) {
    oids[u"Berg"] = Add(u"Berg", {u"Family"});
    oids[u"Adler"] = Add(u"Adler", {u"Family", u"Golf"});
    oids[u"Bauer"] = Add(u"Bauer", {});
    oids[u"Cole"] = Add(u"Cole", {u"Work"});
    oids[u"Dahl"] = Add(u"Dahl", {});
    Settle();  // more than 15 notifications: one rebuild
    ExpectTheStoresAnswers();
}

TEST_F(CategoryFilter, SingleChangesMoveContactsBetweenCategories) {
    oids[u"Berg"] = Add(u"Berg", {u"Work"});
    oids[u"Adler"] = Add(u"Adler", {u"Family", u"Golf"});
    oids[u"Cole"] = Add(u"Cole", {});
    Settle();
    Contact berg;
    ASSERT_TRUE(manager.ReadContact(oids[u"Berg"], berg));
    berg.categories = Array<uint32_t>();
    berg.categories.Add(ids[u"Family"]);
    ASSERT_TRUE(manager.UpdateContact(berg, true).Complete());
    ASSERT_TRUE(manager.DeleteContact(oids[u"Cole"]).Complete());
    Settle();  // fewer than 15 notifications: applied one by one
    ExpectTheStoresAnswers();
}

}  // namespace
