#include "platform/pom/PomApplication.h"

#include <gtest/gtest.h>

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

// Finding by item number, unknown numbers and deleted contacts are checked through the Outlook
// connection, and a contact's categories through its beaming; here the item kind the reference
// carries, and a contact stored after the model last looked.
TEST_F(PomTest, ContactsAreFoundByTheirItemReferenceOnly) {
    const uint32_t annaNumber = AddContact(u"Anna").second;
    ASSERT_NE(app_.GetItemFromOid(0x80000000u | annaNumber), nullptr);
    for (const uint32_t ref : {annaNumber, 0x40000000u | annaNumber}) {
        EXPECT_EQ(app_.GetItemFromOid(ref), nullptr) << std::hex << ref;  // no kind, another kind
    }
    const auto [carl, carlNumber] = AddContact(u"Carl");
    const auto item = app_.GetItemFromOid(0x80000000u | carlNumber);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Oid(), carl);
}
