// Change notifications across processes: every change of every process, this one's included,
// reaches every listening handle once, in commit order, on the thread running the event loop.
#include <set>
#include <thread>

#include "StoreFixture.h"

namespace {

constexpr int kWaitMs = 60000;

using Change = std::pair<uint32_t, plat::CeOid>;  // type, record

std::vector<Change> ReadLog(const std::filesystem::path& file) {
    std::vector<Change> changes;
    std::ifstream in(file);
    uint32_t type = 0;
    plat::CeOid oid = 0;
    while (in >> type >> oid) changes.emplace_back(type, oid);
    return changes;
}

// The changes of one writer, in the order the listener got them.
std::vector<Change> Of(const std::vector<Change>& all, const std::vector<Change>& writer) {
    std::set<plat::CeOid> oids;
    for (const Change& change : writer) oids.insert(change.second);
    std::vector<Change> picked;
    for (const Change& change : all) {
        if (oids.count(change.second) != 0) picked.push_back(change);
    }
    return picked;
}

class Notify : public StoreFixture {
protected:
    std::string LogPath(const std::string& name) { return (device.Root().parent_path() / name).string(); }

    plat::DbHandle Listen(std::vector<Change>& into, std::vector<std::thread::id>* threads = nullptr) {
        return Open(u"Contacts Database", nullptr, [&into, threads](const plat::Notification& n) {
            into.emplace_back(n.type, n.oid);
            if (threads != nullptr) threads->push_back(std::this_thread::get_id());
        });
    }
};

TEST_F(Notify, ChangesOfTwoWritersAndOurOwnArriveOnceAndInOrder) {
    std::vector<Change> got;
    std::vector<std::thread::id> threads;
    Listen(got, &threads);
    const plat::DbHandle writer = Open(u"Contacts Database");
    PeerProcess first = StorePeer(device.Root(), "write", 30, LogPath("first.log"));
    PeerProcess second = StorePeer(device.Root(), "write", 30, LogPath("second.log"));
    std::vector<Change> ours;
    for (int i = 0; i < 10; ++i) {
        const plat::CeOid oid = Add(writer, {TextProp(0x82, u"ours")});
        ours.emplace_back(plat::DB_CEOID_CREATED, oid);
        plat::ProcessEvents(1);
    }
    ASSERT_EQ(first.Reap(), 0);
    ASSERT_EQ(second.Reap(), 0);
    const std::vector<Change> firstLog = ReadLog(LogPath("first.log"));
    const std::vector<Change> secondLog = ReadLog(LogPath("second.log"));
    ASSERT_EQ(firstLog.size(), 70u);  // 30 created, 30 changed, 10 deleted
    const size_t expected = firstLog.size() + secondLog.size() + ours.size();
    EXPECT_TRUE(plat::RunUntil([&] { return got.size() >= expected; }, kWaitMs));
    plat::ProcessEvents(50);
    EXPECT_EQ(got.size(), expected);  // none twice
    EXPECT_EQ(Of(got, firstLog), firstLog);
    EXPECT_EQ(Of(got, secondLog), secondLog);
    EXPECT_EQ(Of(got, ours), ours);
    for (const std::thread::id id : threads) EXPECT_EQ(id, std::this_thread::get_id());

    // This process's view of the database follows the other processes' changes.
    plat::DatabaseInfo info;
    ASSERT_TRUE(plat::GetDatabaseInfo(volume, 0x10001, info));
    EXPECT_EQ(info.recordCount, 50u);
    EXPECT_EQ(Oids(writer).size(), 50u);
}

TEST_F(Notify, AnotherProcessHearsOurChanges) {
    const plat::DbHandle writer = Open(u"Contacts Database");
    const std::string log = LogPath("listener.log");
    PeerProcess listener = StorePeer(device.Root(), "listen", 3, log);
    ASSERT_TRUE(plat::RunUntil([&] { return std::filesystem::exists(log + ".ready"); }, kWaitMs));
    const plat::CeOid oid = Add(writer, {TextProp(0x82, u"Anna")});
    ASSERT_NE(plat::WriteRecordProps(writer, oid, std::vector{TextProp(0x84, u"Smith")}), 0u);
    ASSERT_TRUE(plat::DeleteRecord(writer, oid));
    ASSERT_EQ(listener.Reap(), 0);
    const std::vector<Change> expected = {
        {plat::DB_CEOID_CREATED, oid}, {plat::DB_CEOID_CHANGED, oid}, {plat::DB_CEOID_RECORD_DELETED, oid}};
    EXPECT_EQ(ReadLog(log), expected);
}

// A handle hears what was committed while it was open: one opened later misses the earlier change,
// a closed one hears nothing more, and a listener that runs the loop from its callback (as a
// message box would) gets nothing twice.
TEST_F(Notify, EachHandleGetsWhatWasCommittedWhileItWasOpenOnce) {
    std::vector<Change> got, late, closed;
    const plat::DbHandle writer = Open(u"Contacts Database");
    const plat::DbHandle closing = plat::OpenDatabase(volume, u"Contacts Database", nullptr,
                                                      [&](const plat::Notification& n) { closed.emplace_back(n.type, n.oid); });
    Open(u"Contacts Database", nullptr, [&](const plat::Notification& n) {
        got.emplace_back(n.type, n.oid);
        if (got.size() == 1) {
            Add(writer, {TextProp(0x82, u"from inside")});
            plat::ProcessEvents(20);
        }
    });
    Add(writer, {TextProp(0x82, u"first")});
    (void)plat::CloseDatabase(closing);  // clean-up
    Listen(late);
    ASSERT_TRUE(plat::RunUntil([&] { return got.size() >= 2; }, kWaitMs));
    plat::ProcessEvents(20);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_LT(got[0].second, got[1].second);
    EXPECT_EQ(late, std::vector<Change>{got[1]});
    EXPECT_TRUE(closed.empty());
}

}  // namespace
