#include "categories/manager/CategoryManager.h"

#include <gtest/gtest.h>

#include <set>

#include "categories/ArrayOf.h"
#include "platform/pom/CategoryDatabases.h"
#include "store/contact/Contact.h"
#include "support/TempDevice.h"

using plat::pom::kCategoryAssocDb;
using plat::pom::kCategoryMainDb;

namespace {

Array<uint32_t> Ids(std::initializer_list<uint32_t> ids) { return ArrayOf(ids); }

std::vector<uint32_t> Vec(const Array<uint32_t>& ids) { return {ids.begin(), ids.end()}; }

StdContact ContactNumber(uint32_t recordId) {
    StdContact c;
    c.SetRecordId(recordId);
    return c;
}

// The test's own view of "CategoryAssocDB".
class Assignments {
public:
    Assignments() { EXPECT_TRUE(db_.Open(kCategoryAssocDb.data())); }

    // Every assignment record as (object identifier, item reference, category id).
    std::set<std::tuple<plat::CeOid, uint32_t, uint32_t>> All() {
        std::set<std::tuple<plat::CeOid, uint32_t, uint32_t>> all;
        for (bool more = db_.SeekFirst(); more; more = db_.SeekNext()) {
            CCeDBRecord record;
            const plat::CeOid oid = db_.Read(record);
            all.emplace(oid, record.Find(1)->GetULong(), record.Find(2)->GetULong());
        }
        return all;
    }
    void Add(uint32_t itemRef, uint32_t id) {
        CCeDBRecord record;
        record.Add(new CCeDBProp(1, itemRef));
        record.Add(new CCeDBProp(2, static_cast<int32_t>(id)));
        ASSERT_NE(db_.Write(record, CCeDBDatabase::kWriteNew), 0u);
    }
    uint64_t LastModified() {
        plat::DatabaseInfo info;
        EXPECT_TRUE(db_.GetInfo(info));
        return info.lastModified;
    }

private:
    CCeDBDatabase db_;
};

class CategoryManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager_ = CategoryManager::Instance();
        ASSERT_NE(manager_, nullptr);
    }

    uint32_t Add(const char16_t* name) {
        uint32_t id = 0;
        EXPECT_EQ(manager_->AddCategory(name, id), CategoryManager::kAddCreated) << Str(name).ToUtf8();
        return id;
    }

    std::vector<std::u16string> Names(const Array<CategoryEntry>& entries) {
        std::vector<std::u16string> names;
        for (const CategoryEntry& e : entries) names.emplace_back(e.name.View());
        return names;
    }

    TempDevice device_;
    CategoryManager* manager_ = nullptr;
};

}  // namespace

// An existing name is found, not made again (the match is exact). Names are joined with ", " where
// the platform shows an item's categories as one text, so a name holding a comma or a semicolon is
// refused and nothing is written.
TEST_F(CategoryManagerTest, AddingFindsAnExistingNameAndRefusesSeparators) {
    for (const char16_t* name : {u"a,b", u"a;b", u";", u"Work, Home"}) {
        uint32_t id = 99;
        EXPECT_EQ(manager_->AddCategory(name, id), CategoryManager::kAddFailed) << Str(name).ToUtf8();
        EXPECT_EQ(id, 0u);
    }
    Array<CategoryEntry> entries;
    ASSERT_TRUE(manager_->GetAllCategories(entries));
    EXPECT_TRUE(entries.IsEmpty());
    const uint32_t work = Add(u"Work");
    uint32_t id = 99;
    EXPECT_EQ(manager_->AddCategory(u"Work", id), CategoryManager::kAddExists);
    EXPECT_EQ(id, work);
    EXPECT_NE(Add(u"work"), work);
    EXPECT_NE(Add(u"a b.c/d"), 0u);
}

TEST_F(CategoryManagerTest, ListsAreInTheLocalesNameOrder) {
    for (const char16_t* name : {u"cherry", u"Banana", u"apple", u"\u00c4rger"}) Add(name);
    Array<CategoryEntry> all;
    ASSERT_TRUE(manager_->GetAllCategories(all));
    EXPECT_EQ(Names(all), (std::vector<std::u16string>{u"apple", u"\u00c4rger", u"Banana", u"cherry"}));

    Array<Str> names;
    ASSERT_TRUE(manager_->GetCategoryNames(Ids({all[3].id, 12345, all[0].id}), names));
    EXPECT_EQ(CategoryManager::JoinNames(names), u"apple, cherry");
}

TEST_F(CategoryManagerTest, ChangingCategoriesTouchesOnlyTheDifference) {
    const uint32_t one = Add(u"One"), two = Add(u"Two"), three = Add(u"Three");
    const StdContact anna = ContactNumber(5), bob = ContactNumber(6);
    ASSERT_TRUE(manager_->AddContactCategories(anna, Ids({three, two, three})));  // three goes once
    ASSERT_TRUE(manager_->AddContactCategories(bob, Ids({three})));
    Assignments view;
    const auto before = view.All();
    EXPECT_EQ(before.size(), 3u);
    const uint64_t stamp = view.LastModified();
    ASSERT_TRUE(manager_->SetContactCategories(anna, Ids({two, three})));  // the same: nothing written
    EXPECT_EQ(view.All(), before);
    EXPECT_EQ(view.LastModified(), stamp);

    ASSERT_TRUE(manager_->SetContactCategories(anna, Ids({one, two})));
    const auto after = view.All();
    std::vector<std::tuple<plat::CeOid, uint32_t, uint32_t>> gone, added;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    ASSERT_EQ(std::pair(gone.size(), added.size()), std::pair(size_t{1}, size_t{1}));
    EXPECT_EQ(std::pair(std::get<1>(gone[0]), std::get<2>(gone[0])), std::pair(0x80000005u, three));
    EXPECT_EQ(std::pair(std::get<1>(added[0]), std::get<2>(added[0])), std::pair(0x80000005u, one));

    ASSERT_TRUE(manager_->RemoveContactCategories(anna));
    Array<uint32_t> ids;
    ASSERT_TRUE(manager_->GetContactCategories(anna, ids));
    EXPECT_TRUE(ids.IsEmpty());
    ASSERT_TRUE(manager_->GetContactCategories(bob, ids));
    EXPECT_EQ(Vec(ids), std::vector<uint32_t>{three}) << "another contact's categories stay";
}

TEST_F(CategoryManagerTest, AContactWithoutItemNumberHasNoCategories) {
    const uint32_t a = Add(u"A");
    const StdContact unnumbered = ContactNumber(0);
    Array<uint32_t> ids = Ids({7});
    EXPECT_FALSE(manager_->GetContactCategories(unnumbered, ids));
    EXPECT_TRUE(ids.IsEmpty());
    EXPECT_FALSE(manager_->AddContactCategories(unnumbered, Ids({a})) ||
                 manager_->SetContactCategories(unnumbered, Ids({a})));
    EXPECT_TRUE(Assignments().All().empty());
}

TEST_F(CategoryManagerTest, ACategoryStillReferredToIsNeverDeleted) {
    Assignments view;
    Str name;
    for (uint32_t kind : {0x8u, 0x4u, 0xCu, 0x1u}) {  // items of every kind refer to categories
        const std::u16string text(1, static_cast<char16_t>(u'a' + kind));
        const uint32_t id = Add(text.c_str());
        view.Add((kind << 28) | 77, id);
        EXPECT_FALSE(manager_->DeleteCategory(id)) << kind;
        EXPECT_TRUE(manager_->GetCategoryName(id, name)) << kind;
    }
    EXPECT_EQ(view.All().size(), 4u);  // assignments are never deleted here
    const uint32_t unused = Add(u"unused");
    EXPECT_TRUE(manager_->DeleteCategory(unused));
    EXPECT_FALSE(manager_->GetCategoryName(unused, name));
    EXPECT_FALSE(manager_->DeleteCategory(unused));
}

TEST_F(CategoryManagerTest, InUseListsContactCategoriesOnceAndSkipsVanishedOnes) {
    const uint32_t golf = Add(u"Golf"), work = Add(u"Work"), trip = Add(u"Trip"), gone = Add(u"Gone");
    Add(u"Unused");
    ASSERT_TRUE(manager_->AddContactCategories(ContactNumber(1), Ids({work, gone})));
    ASSERT_TRUE(manager_->AddContactCategories(ContactNumber(2), Ids({golf, work})));
    Assignments view;
    view.Add(0x40000001, trip);  // only an item of another kind uses "Trip"
    {  // another program deletes "Gone" without its assignments
        CCeDBDatabase main;
        ASSERT_TRUE(main.Open(kCategoryMainDb.data()));
        for (bool more = main.SeekFirst(); more; more = main.SeekNext()) {
            CCeDBRecord record;
            const plat::CeOid oid = main.Read(record);
            if (Str(record.Find(2)->GetText()) == u"Gone") {
                ASSERT_TRUE(main.DeleteRecord(oid));
            }
        }
    }
    Array<CategoryEntry> inUse;
    ASSERT_TRUE(manager_->GetCategoriesInUse(inUse));
    EXPECT_EQ(Names(inUse), (std::vector<std::u16string>{u"Golf", u"Work"}));
}

TEST(CategoryManagerInstance, ANewDeviceGetsANewManagerAndNoVolumeNone) {
    for (const char16_t* name : {u"First", u"Second"}) {  // the second device does not see the first's category
        TempDevice device;
        ASSERT_NE(CategoryManager::Instance(), nullptr);
        uint32_t id = 0;
        EXPECT_EQ(CategoryManager::Instance()->AddCategory(u"Same", id), CategoryManager::kAddCreated) << Str(name).ToUtf8();
    }
    TempDevice bare;
    std::filesystem::remove(bare.Host(u"\\pim.vol"));  // no volume, so no object model either
    EXPECT_EQ(CategoryManager::Instance(), nullptr);
}
