#include "store/objectmodel/ObjectModelConnection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "platform/loop/EventLoop.h"
#include "platform/pom/AppointmentStore.h"
#include "platform/pom/CategoryDatabases.h"
#include "platform/pom/PomDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "store/objectmodel/CalendarWatcher.h"
#include "support/HostFiles.h"
#include "support/ProgramLog.h"
#include "support/TempDevice.h"

using namespace std::chrono_literals;

namespace {

class ObjectModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        ASSERT_TRUE(contacts_.Open(kContactsDbName, nullptr, 0,
                                   [this](const plat::Notification& n) { notes_.push_back(n); }));
    }

    // Stores a contact of (field, text) pairs; returns it as read back, with its object identifier
    // and record number.
    Contact Store(const std::vector<std::pair<int, const char16_t*>>& fields) {
        Contact c;
        for (const auto& [field, text] : fields) c.SetText(field, text);
        CCeDBRecord record;
        c.SaveToRecord(contacts_, record, true);
        return Read(contacts_.Write(record, CCeDBDatabase::kWriteNew));
    }

    // The contact as its record holds it now.
    Contact Read(plat::CeOid oid) {
        CCeDBRecord record;
        EXPECT_TRUE(contacts_.SeekToRecord(oid));
        contacts_.Read(record);
        Contact c;
        c.LoadFromRecord(record);
        return c;
    }

    bool Notified(uint32_t type, plat::CeOid oid) {
        const auto seen = [&](const plat::Notification& n) { return n.type == type && n.oid == oid; };
        return plat::RunUntil([&] { return std::any_of(notes_.begin(), notes_.end(), seen); }, 5000);
    }

    TempDevice device_;
    CCeDBDatabase contacts_;
    std::vector<plat::Notification> notes_;
};

}  // namespace

TEST(ObjectModelAvailability, AFailedLogonIsNotRetried) {
    TempDevice bare;
    std::filesystem::remove(bare.Host(u"\\pim.vol"));  // a device without its volume
    ObjectModelConnection& connection = ObjectModelConnection::Instance();
    EXPECT_EQ(connection.State(), -1);  // not tried yet
    EXPECT_EQ(connection.Available(), 0);
    EXPECT_TRUE(plat::InitVolume(bare.Host(u"\\pim.vol")));
    EXPECT_EQ(connection.Available(), 0);
    EXPECT_EQ(connection.State(), 0);
    EXPECT_EQ(std::tuple(connection.SaveContact(1, 1), connection.CreateAppointment(u"x", u"y"),
                         connection.TouchCategories(), connection.Beam(Array<uint32_t>())),
              std::tuple(0, 0, 0, 0));
}

// A save names the record and its item number; one that does not match the record (another
// contact's number, a record deleted since) writes nothing, as the File As it would give shows.
TEST_F(ObjectModelTest, SavingAndDeletingGoThroughTheModel) {
    ObjectModelConnection& connection = ObjectModelConnection::Instance();
    ASSERT_EQ(connection.Available(), 1);
    const Contact anna = Store({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}});
    const Contact bert = Store({{kFieldFirst, u"Bert"}, {kFieldLast, u"Jones"}});
    const Contact gone = Store({{kFieldFirst, u"Carl"}, {kFieldLast, u"Gone"}});
    ASSERT_TRUE(contacts_.DeleteRecord(gone.GetOid()));
    const struct {
        plat::CeOid oid;
        uint32_t itemNumber;
    } mismatched[] = {
        {anna.GetOid(), bert.GetRecordId()},        // another contact's number
        {bert.GetOid(), anna.GetRecordId()},        // and the other way round
        {anna.GetOid(), 0},                         // no number
        {gone.GetOid(), gone.GetRecordId()},        // a deleted record
        {anna.GetOid(), anna.GetRecordId() + 100},  // a number nobody has
    };
    for (const auto& c : mismatched) {
        EXPECT_EQ(connection.SaveContact(c.oid, c.itemNumber), 0) << c.itemNumber;
    }
    for (const Contact& contact : {anna, bert}) {
        EXPECT_TRUE(Read(contact.GetOid()).GetText(kFieldFileAs).IsEmpty())
            << "a mismatched save wrote nothing";
    }
    EXPECT_EQ(connection.SaveContact(anna.GetOid(), anna.GetRecordId()), 1);
    EXPECT_TRUE(Notified(plat::DB_CEOID_CHANGED, anna.GetOid()));
    EXPECT_EQ(connection.DeleteContact(anna.GetRecordId()), 1);
    EXPECT_TRUE(Notified(plat::DB_CEOID_RECORD_DELETED, anna.GetOid()));
    EXPECT_FALSE(contacts_.SeekToRecord(anna.GetOid()));
    EXPECT_EQ(connection.DeleteContact(anna.GetRecordId()), 0);
    EXPECT_EQ(connection.SaveContact(anna.GetOid(), anna.GetRecordId()), 0);
}

// Saving through the model files a contact that has no File As under its display name; a File
// As that was given stays as it is.
TEST_F(ObjectModelTest, SavingGivesAContactWithoutFileAsItsDisplayName) {
    ObjectModelConnection& connection = ObjectModelConnection::Instance();
    ASSERT_EQ(connection.Available(), 1);
    const struct {
        std::vector<std::pair<int, const char16_t*>> fields;
        std::u16string fileAs;
    } cases[] = {
        {{{kFieldFirst, u"Anna"}, {kFieldLast, u" Smith "}}, u"Smith, Anna"},
        {{{kFieldFirst, u"Anna"}, {kFieldCompany, u"Acme"}}, u"Anna"},
        {{{kFieldCompany, u"Acme"}, {kFieldMiddle, u"Q"}}, u"Acme"},
        {{{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}, {kFieldFileAs, u"Boss"}}, u"Boss"},
        {{{kFieldEmail1, u"x@example.com"}}, u""},
    };
    for (const auto& c : cases) {
        const Contact contact = Store(c.fields);
        ASSERT_EQ(connection.SaveContact(contact.GetOid(), contact.GetRecordId()), 1);
        Contact saved = Read(contact.GetOid());
        EXPECT_EQ(saved.GetText(kFieldFileAs).View(), c.fileAs) << Str(c.fields.front().second).ToUtf8();
        saved.SetText(kFieldFileAs, contact.GetText(kFieldFileAs));
        EXPECT_TRUE(saved.Equals(contact)) << "nothing else changes";
    }
}

TEST_F(ObjectModelTest, AnAppointmentIsStoredShownAndTheCalendarCommanded) {
    std::vector<uint32_t> commands;
    const plat::HWND calendar = plat::CreateWindow(
        u"Calendar", u"Calendar",
        [&](plat::HWND, uint32_t message, plat::WPARAM wParam, plat::LPARAM) -> plat::LRESULT {
            if (message == plat::WM_COMMAND) commands.push_back(static_cast<uint32_t>(wParam));
            return 0;
        });
    ASSERT_NE(calendar, 0u);
    ObjectModelConnection& connection = ObjectModelConnection::Instance();
    connection.SetWatcherTiming({1ms, 60s});
    ASSERT_EQ(connection.CreateAppointment(u"Call Anna Smith", u"Phone: +1 555 0100"), 1);
    EXPECT_TRUE(connection.Watcher().Join());
    EXPECT_TRUE(plat::RunUntil([&] { return !commands.empty(); }, 5000));
    EXPECT_EQ(commands, std::vector<uint32_t>{105});
    (void)plat::DestroyWindow(calendar);  // clean-up

    EXPECT_NE(ReadProgramLog(device_).find("\tpimstore.dll\tDisplay\tAppointment\tCall Anna Smith\n"),
              std::string::npos);
    CCeDBDatabase appointments;
    ASSERT_TRUE(appointments.Open(plat::pom::kAppointmentsDatabase.data()));
    CCeDBRecord record;
    ASSERT_TRUE(appointments.SeekFirst());
    const plat::CeOid oid = appointments.Read(record);
    ASSERT_NE(oid, 0u);
    EXPECT_FALSE(appointments.SeekNext());  // saved twice, stored once
    char name[64];
    std::snprintf(name, sizeof name, "Appointment %x.ics", oid);
    const std::string ics = ReadHostFile(device_.Host(u"\\My Documents\\Brevane Files") / name);
    EXPECT_NE(ics.find("SUMMARY:Call Anna Smith\r\nDESCRIPTION:Phone: +1 555 0100\r\n"), std::string::npos)
        << ics;
}

TEST_F(ObjectModelTest, BeamingWritesEachContactAsACard) {
    const Contact anna = Store({{kFieldFirst, u"Anna"}, {kFieldLast, u"Smith"}});
    const Contact bob = Store({{kFieldFirst, u"Bob"}});
    ObjectModelConnection& connection = ObjectModelConnection::Instance();
    ASSERT_EQ(connection.TouchCategories(), 1);
    {  // Anna is in category "Golf"
        CCeDBDatabase main;
        ASSERT_TRUE(main.Open(plat::pom::kCategoryMainDb.data()));
        CCeDBRecord category;
        category.Add(new CCeDBProp(2, u"Golf", true));
        const plat::CeOid rec = main.Write(category, CCeDBDatabase::kWriteNew);
        EXPECT_TRUE(main.SeekToRecord(rec));
        main.Read(category);
        CCeDBDatabase assoc;
        ASSERT_TRUE(assoc.Open(plat::pom::kCategoryAssocDb.data()));
        CCeDBRecord link;
        link.Add(new CCeDBProp(1, 0x80000000u | anna.GetRecordId()));
        link.Add(new CCeDBProp(2, static_cast<int32_t>(category.Find(1)->GetULong())));
        ASSERT_NE(assoc.Write(link, CCeDBDatabase::kWriteNew), 0u);
    }
    Array<uint32_t> oids;
    oids.Add(anna.GetOid());
    oids.Add(bob.GetOid());
    ASSERT_EQ(connection.Beam(oids), 1);
    const auto beam = device_.Host(u"\\My Documents\\Beam");
    const std::string annaCard = ReadHostFile(beam / "Smith, Anna.vcf");
    EXPECT_NE(annaCard.find("CATEGORIES:Golf\r\n"), std::string::npos) << annaCard;
    EXPECT_NE(ReadHostFile(beam / "Bob.vcf").find("Bob"), std::string::npos);
    const std::string sent =
        "\tpimstore.dll\tSendToInfrared\t\\My Documents\\Beam\\Smith, Anna.vcf\t"
        "\\My Documents\\Beam\\Bob.vcf\n";
    EXPECT_NE(ReadProgramLog(device_).find(sent), std::string::npos);
    ASSERT_EQ(connection.Beam(oids), 1);  // a second send keeps the first one's files
    EXPECT_EQ(ReadHostFile(beam / "Smith, Anna (2).vcf"), annaCard);
    oids.Add(0x7FFFFFF0);  // no such record: nothing is sent
    EXPECT_EQ(connection.Beam(oids), 0);
}

// The window is polled for until it appears and then commanded once; a stop wakes a long wait at
// once, the watcher can be started again afterwards, and it gives up when no window appears.
TEST(CalendarWatcher, CommandsTheWindowOnceItAppearsAndStopsAtOnce) {
    std::atomic<int> polls{0};
    std::atomic<plat::HWND> commanded{0};
    std::atomic<int> actions{0};
    CalendarWatcher watcher;
    watcher.Start(
        {1h, 24h}, [&] { return ++polls, plat::HWND{0}; }, [](plat::HWND) {});
    watcher.Stop();  // would block for a day if the wait did not wake
    EXPECT_LE(polls.load(), 1);
    polls = 0;
    watcher.Start(
        {1ms, 60s}, [&] { return ++polls >= 4 ? plat::HWND{0x40} : plat::HWND{0}; },
        [&](plat::HWND w) {
            commanded = w;
            ++actions;
        });
    EXPECT_TRUE(watcher.Join());
    EXPECT_EQ(polls.load(), 4);
    EXPECT_EQ(commanded.load(), 0x40u);
    EXPECT_EQ(actions.load(), 1);
    watcher.Start(
        {1ms, 5ms}, [] { return plat::HWND{0}; }, [&](plat::HWND) { ++actions; });
    EXPECT_FALSE(watcher.Join());
    EXPECT_EQ(actions.load(), 1);
}
