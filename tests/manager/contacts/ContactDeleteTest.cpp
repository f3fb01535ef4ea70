// Deleting a contact never leaves its category assignments behind: when they cannot be removed
// the contact stays and the delete fails; once they can, both go and the category can be deleted.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

#include "MemoryIndex.h"
#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "platform/pom/CategoryDatabases.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

// Another program's hold on the volume: while it lasts, no record of "CategoryAssocDB" can be
// deleted (a trigger refuses it).
class AssignmentsLocked {
public:
    explicit AssignmentsLocked(const std::filesystem::path& volume) {
        EXPECT_EQ(sqlite3_open(volume.string().c_str(), &db_), SQLITE_OK);
        std::string name;
        for (const uint8_t byte : Utf16Bytes(plat::pom::kCategoryAssocDb)) {
            static const char kHex[] = "0123456789ABCDEF";
            name += kHex[byte >> 4];
            name += kHex[byte & 0xF];
        }
        Exec(
            "CREATE TRIGGER keep_assignments BEFORE DELETE ON records WHEN OLD.db = "
            "(SELECT oid FROM databases WHERE name = X'" +
            name + "') BEGIN SELECT RAISE(ABORT, 'held'); END");
    }
    ~AssignmentsLocked() {
        Exec("DROP TRIGGER keep_assignments");
        sqlite3_close(db_);
    }

private:
    void Exec(const std::string& sql) {
        EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_);
    }
    sqlite3* db_ = nullptr;
};

}  // namespace

TEST(ContactDelete, AContactWhoseCategoriesCannotBeRemovedIsKept) {
    TempDevice device;
    ContactManager manager(std::make_unique<MemoryIndex>());
    ASSERT_TRUE(manager.Init(nullptr));
    CategoryManager* categories = CategoryManager::Instance();
    ASSERT_NE(categories, nullptr);
    uint32_t friends = 0;
    ASSERT_EQ(categories->AddCategory(u"Friends", friends), CategoryManager::kAddCreated);
    Contact anna;
    anna.SetText(kFieldFirst, u"Anna");
    anna.categories.Add(friends);
    ASSERT_TRUE(manager.AddContact(anna, true).Complete());

    {
        AssignmentsLocked locked(device.Host(u"\\pim.vol"));
        const ContactWrite refused = manager.DeleteContact(anna.GetOid());
        EXPECT_FALSE(refused.record || refused.categories || refused.namedValues);
    }
    Contact kept;
    ASSERT_TRUE(manager.ReadContact(anna.GetOid(), kept)) << "the contact stays";
    Array<uint32_t> ids;
    ASSERT_TRUE(categories->GetContactCategories(kept, ids));
    EXPECT_EQ(std::vector<uint32_t>(ids.begin(), ids.end()), std::vector<uint32_t>{friends});
    EXPECT_FALSE(categories->DeleteCategory(friends)) << "still assigned";

    EXPECT_TRUE(manager.DeleteContact(anna.GetOid()).Complete());
    EXPECT_FALSE(manager.ReadContact(anna.GetOid(), kept));
    EXPECT_TRUE(categories->GetContactCategories(kept, ids) && ids.IsEmpty()) << "no assignment left behind";
    EXPECT_TRUE(categories->DeleteCategory(friends));
}
