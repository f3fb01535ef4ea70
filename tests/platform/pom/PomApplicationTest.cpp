#include "platform/pom/PomApplication.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/loop/EventLoop.h"
#include "platform/pom/AppointmentStore.h"
#include "platform/pom/CategoryDatabases.h"
#include "platform/pom/InfraredFolder.h"
#include "platform/pom/PomItem.h"
#include "platform/pom/VolumeDevice.h"

using namespace plat;
using namespace plat::pom;

namespace {

constexpr uint32_t kFirstName = MakePropId(0x82, CEVT_LPWSTR);
constexpr uint32_t kItemNumber = MakePropId(0x1000, CEVT_AUTO_I4);

std::string ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// A device with its volume, the test's own handle on the contacts and a logged-on model.
class PomTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MountDbVol(u"\\pim.vol", volume_));
        contacts_ = OpenDatabase(volume_, kContactsDatabase, nullptr,
                                 [this](const Notification& n) { notes_.push_back(n); });
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

    bool WaitFor(uint32_t type, CeOid oid) {
        return RunUntil([&] {
            for (const Notification& n : notes_) {
                if (n.type == type && n.oid == oid) return true;
            }
            return false;
        }, 5000);
    }

    VolumeDevice device_;
    CeGuid volume_;
    DbHandle contacts_ = kInvalidDbHandle;
    std::vector<Notification> notes_;
    Application app_;
};

}  // namespace

TEST(PomLogon, FailsWithoutAVolume) {
    TempDevice bare;
    Application app;
    EXPECT_FALSE(app.Logon());
    EXPECT_FALSE(app.IsLoggedOn());
    EXPECT_EQ(app.CreateItem(ItemType::Contact), nullptr);
}

TEST_F(PomTest, ContactsAreFoundByTheirItemReferenceOnly) {
    const auto [anna, annaNumber] = AddContact(u"Anna");
    const auto [bob, bobNumber] = AddContact(u"Bob");
    struct Case {
        uint32_t ref;
        CeOid expected;
    };
    const Case cases[] = {
        {0x80000000u | annaNumber, anna},
        {0x80000000u | bobNumber, bob},
        {annaNumber, 0},                // no kind
        {0x40000000u | annaNumber, 0},  // another item kind
        {0xC0000000u | annaNumber, 0},
        {0x80000000u | 0x0FFFFFF0u, 0},  // no such number
        {0x80000000u, 0},
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

TEST_F(PomTest, SavingAContactTellsEveryProgramItChangedAndKeepsItsValues) {
    const auto [oid, number] = AddContact(u"Anna");
    ASSERT_TRUE(WaitFor(DB_CEOID_CREATED, oid));
    std::vector<PropVal> before, after;
    SeekDatabase(contacts_, SeekType::Oid, oid);
    ReadRecordProps(contacts_, {}, before);

    const auto item = app_.GetItemFromOid(0x80000000u | number);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Save());
    EXPECT_TRUE(WaitFor(DB_CEOID_CHANGED, oid));
    SeekDatabase(contacts_, SeekType::Oid, oid);
    ReadRecordProps(contacts_, {}, after);
    EXPECT_EQ(after, before);

    ASSERT_TRUE(item->Delete());
    EXPECT_TRUE(WaitFor(DB_CEOID_RECORD_DELETED, oid));
    EXPECT_EQ(SeekDatabase(contacts_, SeekType::Oid, oid), 0u);
}

TEST_F(PomTest, NewContactsCannotBeSavedThroughTheModel) {
    const auto item = app_.CreateItem(ItemType::Contact);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->Save());
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
}

TEST_F(PomTest, AskingForCategoriesCreatesTheCategoryDatabasesOnce) {
    for (int round = 0; round < 2; ++round) {
        const auto item = app_.CreateItem(ItemType::Contact);
        std::vector<PropVal> props;
        const uint32_t ids[] = {kPropItemCategories, kFirstName};
        ASSERT_TRUE(item->GetProps(ids, props)) << round;
        ASSERT_EQ(props.size(), 2u);
        EXPECT_EQ(props[0].text, u"");
        EXPECT_EQ(props[0].flags, 0);
        EXPECT_EQ(props[1].flags, CEDB_PROPNOTFOUND);
    }
    for (const SortOrderSpec& order : {CategoryByIdOrder(), CategoryByNameOrder()}) {
        const DbHandle db = OpenDatabase(volume_, kCategoryMainDb, &order, {});
        EXPECT_NE(db, kInvalidDbHandle);
        CloseDatabase(db);
    }
    for (const SortOrderSpec& order : {AssocByItemOrder(), AssocByCategoryOrder()}) {
        const DbHandle db = OpenDatabase(volume_, kCategoryAssocDb, &order, {});
        EXPECT_NE(db, kInvalidDbHandle);
        CloseDatabase(db);
    }
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

TEST_F(PomTest, AppointmentsAreStoredWrittenAsCalendarFilesAndShownThroughTheLog) {
    app_.SetCalendarFolder(u"\\My Documents\\Brevane Files");
    const auto item = app_.CreateItem(ItemType::Appointment);
    item->SetSubject(u"Call Anna");
    item->SetBody(u"About the trip");
    item->SetReminderMinutesBeforeStart(15);
    ASSERT_TRUE(item->Save());
    const CeOid oid = item->Oid();
    ASSERT_NE(oid, 0u);
    ASSERT_TRUE(item->Display());
    ASSERT_TRUE(item->Save());
    EXPECT_EQ(item->Oid(), oid);  // the second save rewrites the same appointment

    const DbHandle db = OpenDatabase(volume_, kAppointmentsDatabase, nullptr, {});
    ASSERT_NE(db, kInvalidDbHandle);
    std::vector<PropVal> props;
    ASSERT_EQ(SeekDatabase(db, SeekType::Oid, oid), oid);
    const uint32_t ids[] = {kPropApptSubject, kPropApptBody, kPropApptReminder, kPropApptStart, kPropApptEnd};
    ReadRecordProps(db, ids, props);
    EXPECT_EQ(props.at(0).text, u"Call Anna");
    EXPECT_EQ(props.at(1).text, u"About the trip");
    EXPECT_EQ(props.at(2).u32, 15u);
    EXPECT_EQ(props.at(4).filetime - props.at(3).filetime, kFileTimeHour);
    EXPECT_EQ(SeekDatabase(db, SeekType::Beginning, 1), 0u);  // one appointment only
    CloseDatabase(db);

    char name[64];
    std::snprintf(name, sizeof name, "Appointment %x.ics", oid);
    const std::string ics = ReadHostFile(device_.Host(u"\\My Documents\\Brevane Files") / name);
    EXPECT_NE(ics.find("SUMMARY:Call Anna\r\n"), std::string::npos) << ics;
    EXPECT_NE(ics.find("TRIGGER:-PT15M\r\n"), std::string::npos) << ics;
    EXPECT_NE(ReadHostFile(device_.Host(u"\\Windows\\programs.log")).find("\tpimstore.dll\tDisplay\tAppointment\tCall Anna\n"),
              std::string::npos);
}

TEST_F(PomTest, BeamingWritesOneCardFilePerContactAndLogsTheSend) {
    EXPECT_EQ(app_.GetDefaultFolder(5), nullptr);
    const auto folder = app_.GetDefaultFolder(kFolderInfrared);
    ASSERT_NE(folder, nullptr);
    EXPECT_FALSE(folder->AddItemToInfraredFolder(ItemType::Appointment, "x", u"x"));
    ASSERT_TRUE(folder->AddItemToInfraredFolder(ItemType::Contact, "BEGIN:VCARD\r\nA\r\n", u"Smith, Anna"));
    ASSERT_TRUE(folder->AddItemToInfraredFolder(ItemType::Contact, "BEGIN:VCARD\r\nB\r\n", u"Smith, Anna"));
    ASSERT_TRUE(folder->AddItemToInfraredFolder(ItemType::Contact, "BEGIN:VCARD\r\nC\r\n", u"a/b:c?"));
    ASSERT_TRUE(folder->SendToInfrared());
    EXPECT_EQ(folder->Count(), 0u);
    const auto beam = device_.Host(u"\\My Documents\\Beam");
    EXPECT_EQ(ReadHostFile(beam / "Smith, Anna.vcf"), "BEGIN:VCARD\r\nA\r\n");
    EXPECT_EQ(ReadHostFile(beam / "Smith, Anna (2).vcf"), "BEGIN:VCARD\r\nB\r\n");
    EXPECT_EQ(ReadHostFile(beam / "a_b_c_.vcf"), "BEGIN:VCARD\r\nC\r\n");
    EXPECT_NE(ReadHostFile(device_.Host(u"\\Windows\\programs.log"))
                  .find("\tpimstore.dll\tSendToInfrared\t\\My Documents\\Beam\\Smith, Anna.vcf\t"
                        "\\My Documents\\Beam\\Smith, Anna (2).vcf\t\\My Documents\\Beam\\a_b_c_.vcf\n"),
              std::string::npos);
}

TEST(PomFileNames, UnsafeCharactersAreReplaced) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"Anna", u"Anna"},           {u" . Anna . ", u"Anna"}, {u"", u"Contact"},
        {u"...", u"Contact"},         {u"a\tb", u"a_b"},        {u"<a>|\"b\"*", u"_a___b__"},
        {std::u16string(100, u'x'), std::u16string(64, u'x')},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(SafeFileName(in), out);
}
