// Property values (copied or referenced, freed when changed) and the company-name list, read
// through the company order or, where the database lacks that order, by scanning.
#include <cstring>

#include "DbFixture.h"
#include "store/db/ContactsDb.h"
#include "store/db/DbNames.h"

namespace {

TEST(Prop, CopiesOwnTheirValueAndReferencesFollowTheCaller) {
    char16_t text[] = u"Anna";
    CCeDBProp copied(0x82, text, true);
    CCeDBProp referenced(0x82, text, false);
    text[0] = u'H';
    EXPECT_EQ(std::u16string_view(copied.GetText()), u"Anna");
    EXPECT_EQ(std::u16string_view(referenced.GetText()), u"Hnna");

    uint8_t bytes[] = {1, 2, 3};
    CCeDBProp block(0xFF, bytes, 3, true, plat::CEVT_STREAM);
    bytes[0] = 9;
    EXPECT_EQ(block.ToPropVal().blob, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(block.GetId(), 0x00FF0064u);

    // Changing the kind of value frees the owned one first (the sanitizer build checks the frees).
    block.SetFileTime(0x89ABCDEF, 0x01234567);
    EXPECT_FALSE(block.OwnsValue());
    EXPECT_EQ(block.GetType(), plat::CEVT_FILETIME);
    EXPECT_EQ(block.ToPropVal().filetime, 0x0123456789ABCDEFull);
}

class Companies : public DbFixture {
protected:
    void Fill() {
        CCeDBDatabase& db = contacts.Contacts();
        for (const char16_t* company : {u"Zeta", u"acme", u"", u"Acme", u"Beta", u"acme", u"Zeta"}) {
            AddContact(db, {{0x8A, company}});
        }
        AddContact(db, {{0x82, u"no company"}});
    }
    // Empty and missing companies are skipped, equal ones collapsed; "acme" and "Acme" differ.
    void ExpectCompanies() {
        Array<Str> names;
        names.Add(Str(u"stale"));
        ASSERT_TRUE(contacts.GetCompanyNames(names));
        ASSERT_EQ(names.GetSize(), 4);
        const char16_t* expected[] = {u"acme", u"Acme", u"Beta", u"Zeta"};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(names[i], expected[i]) << i;
    }
    // Deletes the named database of the store; `recreate` makes it again without sort orders.
    void DropDatabase(const char16_t* name, bool recreate) {
        plat::CeGuid volume;
        ASSERT_TRUE(plat::MountDbVol(kVolumePath, volume));
        plat::CeOid oid = 0;
        plat::CloseDatabase(plat::OpenDatabase(volume, name, nullptr, {}, &oid));
        ASSERT_TRUE(plat::DeleteDatabase(volume, oid));
        plat::DatabaseSpec declared;
        declared.name = name;
        const bool made = !recreate || plat::CreateDatabase(volume, declared) != 0;
        plat::UnmountDbVol(volume);
        ASSERT_TRUE(made);
    }
    CContactsDb contacts;
};

TEST_F(Companies, DistinctNamesInNameOrder) {
    ASSERT_TRUE(contacts.Open({})) << plat::LastErrorMessage();
    Fill();
    ExpectCompanies();
}

TEST_F(Companies, WithoutTheCompanyOrderTheOpenDatabaseIsScanned) {
    DropDatabase(kContactsDbName, true);  // a contacts database that declares no company order
    ASSERT_TRUE(contacts.Open({})) << plat::LastErrorMessage();
    Fill();
    ExpectCompanies();
}

TEST_F(Companies, OpeningNeedsBothDatabases) {
    DropDatabase(kNamedPropsDbName, false);
    EXPECT_FALSE(contacts.Open({}));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    EXPECT_FALSE(contacts.Contacts().IsOpen());
}

}  // namespace
