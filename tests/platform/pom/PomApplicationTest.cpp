#include "platform/pom/PomApplication.h"

#include <gtest/gtest.h>

#include "platform/pom/CategoryDatabases.h"
#include "platform/pom/InfraredFolder.h"
#include "platform/pom/PomItem.h"
#include "platform/pom/VolumeDevice.h"

using namespace plat;
using namespace plat::pom;

namespace {

constexpr uint32_t kFirstName = MakePropId(0x82, CEVT_LPWSTR);
constexpr uint32_t kItemNumber = MakePropId(0x1000, CEVT_AUTO_I4);

// A device with its volume, the test's own handle on the contacts and a logged-on model.
class PomTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MountDbVol(u"\\pim.vol", volume_));
        contacts_ = OpenDatabase(volume_, kContactsDatabase, nullptr, {});
        ASSERT_NE(contacts_, kInvalidDbHandle);
        ASSERT_TRUE(app_.Logon());
    }
    void TearDown() override {
        app_.Logoff();
        CloseDatabase(contacts_);
        UnmountDbVol(volume_);
    }

    // Writes a contact; returns its record and item number.
    std::pair<CeOid, uint32_t> AddContact(std::u16string first) {
        const PropVal prop = PropVal::Text(kFirstName, std::move(first));
        const CeOid oid = WriteRecordProps(contacts_, 0, std::span(&prop, 1));
        std::vector<PropVal> props;
        SeekDatabase(contacts_, SeekType::Oid, oid);
        ReadRecordProps(contacts_, std::span(&kItemNumber, 1), props);
        return {oid, props.at(0).u32};
    }

    VolumeDevice device_;
    CeGuid volume_;
    DbHandle contacts_ = kInvalidDbHandle;
    Application app_;
};

}  // namespace

TEST_F(PomTest, ContactsAreFoundByTheirItemReferenceOnly) {
    const auto [anna, annaNumber] = AddContact(u"Anna");
    AddContact(u"Bob");
    struct Case {
        uint32_t ref;
        CeOid expected;
    };
    const Case cases[] = {
        {0x80000000u | annaNumber, anna},
        {annaNumber, 0},                // no kind
        {0x40000000u | annaNumber, 0},  // another item kind
        {0x80000000u | 0x0FFFFFF0u, 0},  // no such number
    };
    for (const Case& c : cases) {
        const auto item = app_.GetItemFromOid(c.ref);
        EXPECT_EQ(item ? item->Oid() : 0, c.expected) << std::hex << c.ref;
    }
    // The cache follows the store: a deleted contact is no longer found, a new one is.
    ASSERT_TRUE(DeleteRecord(contacts_, anna));
    EXPECT_EQ(app_.GetItemFromOid(0x80000000u | annaNumber), nullptr);
    const auto [carl, carlNumber] = AddContact(u"Carl");
    const auto item = app_.GetItemFromOid(0x80000000u | carlNumber);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Oid(), carl);
}

TEST_F(PomTest, AStoredContactNamesItsCategories) {
    ASSERT_TRUE(EnsureCategoryDatabases(volume_));
    const auto [oid, number] = AddContact(u"Anna");
    const DbHandle main = OpenDatabase(volume_, kCategoryMainDb, nullptr, {});
    const DbHandle assoc = OpenDatabase(volume_, kCategoryAssocDb, nullptr, {});
    std::vector<uint32_t> ids;
    for (std::u16string name : {u"Work", u"Golf"}) {
        const PropVal prop = PropVal::Text(kPropCategoryName, name);
        const CeOid rec = WriteRecordProps(main, 0, std::span(&prop, 1));
        std::vector<PropVal> read;
        SeekDatabase(main, SeekType::Oid, rec);
        ReadRecordProps(main, std::span(&kPropCategoryId, 1), read);
        ids.push_back(read.at(0).u32);
    }
    for (uint32_t ref : {0x80000000u | number, 0x80000000u | (number + 1), 0x40000000u | number}) {
        for (uint32_t id : ids) {
            const PropVal props[] = {PropVal::Number(kPropAssocItem, ref), PropVal::Number(kPropAssocCategory, id)};
            WriteRecordProps(assoc, 0, props);
        }
    }
    CloseDatabase(main);
    CloseDatabase(assoc);
    const auto item = app_.GetItemFromOid(0x80000000u | number);
    std::vector<PropVal> props;
    ASSERT_TRUE(item->GetProps(std::span(&kPropItemCategories, 1), props));
    EXPECT_EQ(props.at(0).text, u"Work, Golf");
    EXPECT_EQ(oid, item->Oid());
}
