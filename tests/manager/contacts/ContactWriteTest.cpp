// What of a contact's add, update and delete reached the store: when the record is written but its
// named values or category assignments are not, the manager says which part is missing instead of
// reporting a whole contact.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "MemoryIndex.h"
#include "categories/manager/CategoryManager.h"
#include "manager/contacts/ContactManager.h"
#include "platform/loop/EventLoop.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/pom/CategoryDatabases.h"
#include "store/db/CeDBDatabase.h"
#include "support/TempDevice.h"

namespace {

using Parts = std::tuple<bool, bool, bool>;  // record, categories, named values

Parts PartsOf(const ContactWrite& written) {
    return {written.record, written.categories, written.namedValues};
}

// Deletes a database of the volume under whoever has it open: their writes fail from now on.
void DeleteDatabase(const CCeDBDatabase& open) {
    ASSERT_TRUE(plat::DeleteDatabase(open.VolumeId(), open.DatabaseId()));
}

}  // namespace

TEST(ContactWrites, AMissingPartIsReportedAndTheRecordStays) {
    TempDevice device;
    plat::EnsureApplication();
    ContactManager manager(std::make_unique<MemoryIndex>());
    ASSERT_TRUE(manager.Init(nullptr));
    uint32_t club = 0;
    ASSERT_NE(CategoryManager::Instance()->AddCategory(Str(u"Club"), club), CategoryManager::kAddFailed);
    const auto make = [&] {
        Contact contact;
        contact.SetText(kFieldLast, Str(u"Parts"));
        contact.SetText(kFieldMobile, Str(u"+15550100"));
        contact.categories.Add(club);
        return contact;
    };

    Contact whole = make();
    EXPECT_EQ(PartsOf(manager.AddContact(whole, true)), Parts(true, true, true));

    DeleteDatabase(manager.Databases().Named());
    Contact withoutNumbers = make();
    EXPECT_EQ(PartsOf(manager.AddContact(withoutNumbers, true)), Parts(true, true, false));
    Contact stored;
    EXPECT_TRUE(manager.ReadContact(withoutNumbers.GetOid(), stored)) << "the record stays";
    EXPECT_EQ(PartsOf(manager.UpdateContact(whole, true)), Parts(true, true, false));

    CCeDBDatabase assignments;
    ASSERT_TRUE(assignments.Open(plat::pom::kCategoryAssocDb.data()));
    DeleteDatabase(assignments);
    Contact withoutCategories = make();
    EXPECT_EQ(PartsOf(manager.AddContact(withoutCategories, true)), Parts(true, false, false));
    EXPECT_TRUE(manager.DeleteContact(whole.GetOid()).record)
        << "with its databases gone, nothing else is left";
    EXPECT_FALSE(manager.ReadContact(whole.GetOid(), stored));
}

// A list row reads the names alone: each asked text comes back as stored, and nothing else of the
// record does (its note, its other texts), however large.
TEST(ContactWrites, ReadingTheRowNamesTakesThoseTextsAlone) {
    TempDevice device;
    plat::EnsureApplication();
    ContactManager manager(std::make_unique<MemoryIndex>());
    ASSERT_TRUE(manager.Init(nullptr));
    Contact contact;
    const int names[] = {kFieldLast, kFieldFirst, kFieldCompany};
    contact.SetText(kFieldLast, Str(u"Largest"));
    contact.SetText(kFieldFirst, Str(u"Lara"));
    contact.SetText(kFieldCompany, Str(std::u16string(30000, u'x')));
    contact.SetText(kFieldJobTitle, Str(u"not asked"));
    contact.SetNote(ByteBlock(std::vector<uint8_t>(500000, 0x41)));
    ASSERT_TRUE(manager.AddContact(contact, true).Complete());

    StdContact read;
    ASSERT_TRUE(manager.ReadTexts(contact.GetOid(), names, read));
    for (const int field : names)
        EXPECT_EQ(read.GetText(field).View(), contact.GetText(field).View()) << field;
    EXPECT_TRUE(read.GetText(kFieldJobTitle).IsEmpty());
    EXPECT_EQ(read.GetNote().Size(), 0u);
    EXPECT_FALSE(manager.ReadTexts(contact.GetOid() + 1, names, read)) << "no such contact";
}
