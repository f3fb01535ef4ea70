// The contact manager against changes made by another process: batching of bursts, several
// observers, the rebuild of big batches, changes of other databases, unknown deletes, progress and
// the save timer; and its own add, indexed once. The
// test clock drives the 500 ms and 2000 ms timers; the peer's notifications arrive for real.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MemoryIndex.h"
#include "core/diag/FatalError.h"
#include "manager/contacts/ContactManager.h"
#include "manager/listener/ContactManagerListener.h"
#include "platform/loop/EventLoop.h"
#include "platform/timer/TestClock.h"
#include "support/TempDevice.h"

namespace {

constexpr int kWaitMs = 60000;

// Busy is recorded as "busy 0" when it begins and "busy 1" when it ends; many changes as "many 1"
// and "many 0".
class Recorder : public ContactManagerListener {
public:
    std::vector<std::string> calls;
    void OnContactAdded(uint32_t) override { calls.push_back("added"); }
    void OnContactChanged(uint32_t) override { calls.push_back("changed"); }
    void OnContactDeleted(uint32_t) override { calls.push_back("deleted"); }
    void OnContactsReloaded() override { calls.push_back("reloaded"); }
    void OnProgress(uint32_t step) override { calls.push_back("progress " + std::to_string(step)); }
    void OnBusy(bool busy) override { calls.push_back(busy ? "busy 0" : "busy 1"); }
    void OnManyChanges(bool many) override { calls.push_back(many ? "many 1" : "many 0"); }
    size_t Count(const std::string& call) const { return static_cast<size_t>(std::count(calls.begin(), calls.end(), call)); }
};

// An observer that stops listening, and is destroyed, on the first added contact it hears of.
class LeavingObserver : public ContactManagerListener {
public:
    LeavingObserver(ContactManager& manager, std::unique_ptr<LeavingObserver>& self, int& added)
        : manager_(manager), self_(self), added_(added) {}
    void OnContactAdded(uint32_t) override {
        ++added_;
        manager_.RemoveListener(*this);
        self_.reset();
    }

private:
    ContactManager& manager_;
    std::unique_ptr<LeavingObserver>& self_;
    int& added_;
};

class ManagerWithPeer : public ::testing::Test {
protected:
    void SetUp() override {
        auto owned = std::make_unique<MemoryIndex>();
        index = owned.get();
        manager = std::make_unique<ContactManager>(std::move(owned));
        manager->AddListener(recorder);
        ASSERT_TRUE(manager->Init(nullptr));
        recorder.calls.clear();
    }

    // Runs the peer to its end; returns what it printed (the identifiers it made).
    std::vector<uint32_t> Peer(const std::string& mode, const std::string& arg) {
        const std::string command = std::string(BREVANE_PEER_DIR) + "/manager_peer '" + device.Root().string() + "' " +
                                    mode + " '" + arg + "'";
        FILE* pipe = popen(command.c_str(), "r");
        std::vector<uint32_t> oids;
        unsigned oid = 0;
        while (pipe != nullptr && std::fscanf(pipe, "%x", &oid) == 1) oids.push_back(oid);
        EXPECT_EQ(pipe != nullptr ? pclose(pipe) : -1, 0) << command;
        return oids;
    }

    void WaitQueued(int count) {
        EXPECT_TRUE(plat::RunUntil([&] { return manager->Queue().Count() >= count; }, kWaitMs));
        EXPECT_EQ(manager->Queue().Count(), count);
    }

    TempDevice device;
    plat::ScopedTestClock clock;
    Recorder recorder;
    MemoryIndex* index = nullptr;
    std::unique_ptr<ContactManager> manager;
};

TEST_F(ManagerWithPeer, TenChangesAreOneBatchAfterTheQuietTime) {
    const std::vector<uint32_t> made = Peer("add", "10");
    ASSERT_EQ(made.size(), 10u);
    WaitQueued(10);
    clock.Advance(ContactDBMsgStack::kQuietMs - 1);
    EXPECT_EQ(recorder.Count("added"), 0u);
    clock.Advance(1);
    std::vector<std::string> expected = {"busy 0", "many 1"};
    expected.insert(expected.end(), 10, "added");
    expected.insert(expected.end(), {"busy 1", "many 0"});
    EXPECT_EQ(recorder.calls, expected);
    for (const uint32_t oid : made) EXPECT_TRUE(index->Holds(oid)) << oid;

    // The index files are saved 2000 ms after the batch, once.
    EXPECT_TRUE(manager->HasUnsavedChanges());
    clock.Advance(ContactManager::kSaveDelayMs - 1);
    EXPECT_EQ(index->saves, 0);
    clock.Advance(1);
    EXPECT_EQ(index->saves, 1);
    EXPECT_FALSE(manager->HasUnsavedChanges());
}

// Every observer hears every change, in the same order; one that leaves (and is gone) while a
// change is being told hears nothing more, and the observers after it still hear that change.
TEST_F(ManagerWithPeer, EveryObserverHearsTheChangesAndOneMayLeaveWhileTheyAreTold) {
    int leaverAdded = 0;
    std::unique_ptr<LeavingObserver> leaver;
    leaver = std::make_unique<LeavingObserver>(*manager, leaver, leaverAdded);
    manager->AddListener(*leaver);
    Recorder last;
    manager->AddListener(last);
    Peer("add", "2");
    WaitQueued(2);
    clock.Advance(ContactDBMsgStack::kQuietMs);
    EXPECT_EQ(std::pair(leaver.get(), leaverAdded), std::pair(static_cast<LeavingObserver*>(nullptr), 1));
    EXPECT_EQ(recorder.Count("added"), 2u);
    EXPECT_EQ(last.calls, recorder.calls);
    manager->RemoveListener(last);
}

TEST_F(ManagerWithPeer, FifteenChangesRebuildInsteadOfPerContactCalls) {
    Peer("add", "15");
    WaitQueued(15);
    clock.Advance(ContactDBMsgStack::kQuietMs);
    EXPECT_EQ(std::pair(index->rebuilds, index->held.size()), std::pair(1, size_t{15}));
    EXPECT_EQ(std::tuple(recorder.Count("added"), recorder.Count("reloaded"), recorder.calls.back()),
              std::tuple(size_t{0}, size_t{1}, std::string("many 0")));
}

// An index found stale (another program's changes it never saw, a kill before its save) is made
// to hold exactly the stored contacts by one bulk rebuild, not a replace per contact (which cost
// far more than a rebuild), and quietly: no progress is reported.
TEST_F(ManagerWithPeer, AStaleIndexIsBroughtUpAtTheCostOfOneRebuild) {
    const std::vector<uint32_t> made = Peer("add", "20");
    manager->Close();
    index->openResult = IndexOpen::Stale;
    index->held = {{made.at(0), Str(u"Old")}, {0xdead, Str(u"Gone")}};
    const int rebuilds = index->rebuilds, puts = index->puts;
    recorder.calls.clear();
    ASSERT_TRUE(manager->Init(nullptr));
    EXPECT_EQ(std::pair(index->rebuilds - rebuilds, index->puts - puts), std::pair(1, 0));
    OidVector expected(made.begin(), made.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(index->ListAll(IndexOrder::Name, nullptr), expected);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{});
}

TEST_F(ManagerWithPeer, OtherDatabasesAndUnknownDeletesChangeNothing) {
    Peer("other", "Friends");
    EXPECT_TRUE(plat::RunUntil([&] { return !manager->Queue().Empty(); }, kWaitMs));
    clock.Advance(ContactDBMsgStack::kQuietMs);
    EXPECT_TRUE(index->held.empty());
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"busy 0", "busy 1", "many 0"}));

    const std::vector<uint32_t> made = Peer("add", "1");
    WaitQueued(1);
    clock.Advance(ContactDBMsgStack::kQuietMs);
    ASSERT_TRUE(index->Holds(made.at(0)));
    index->held.clear();  // the index no longer holds it
    recorder.calls.clear();
    std::ostringstream hex;
    hex << std::hex << made[0];
    Peer("delete", hex.str());
    WaitQueued(1);
    clock.Advance(ContactDBMsgStack::kQuietMs);
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"busy 0", "busy 1", "many 0"}));
}

TEST_F(ManagerWithPeer, RebuildOfThirtySixContactsStepsEveryTwo) {
    Peer("add", "36");
    WaitQueued(36);
    recorder.calls.clear();
    manager->Reindex();
    std::vector<std::string> expected = {"busy 0"};
    for (int step = 0; step <= 18; ++step) expected.push_back("progress " + std::to_string(step));
    expected.insert(expected.end(), {"progress 20", "busy 1"});
    EXPECT_EQ(recorder.calls, expected);
    EXPECT_EQ(index->held.size(), 36u);
}

// A removal the index could not make is not taken for the removal of a contact it never held: it
// is fatal as a failed add or replace is, and nobody hears of a deleted contact.
TEST_F(ManagerWithPeer, FailedIndexRemovalIsFatal) {
    const std::vector<uint32_t> made = Peer("add", "1");
    WaitQueued(1);
    clock.Advance(ContactDBMsgStack::kQuietMs);
    ASSERT_TRUE(index->Holds(made.at(0)));
    index->failChanges = true;
    std::ostringstream hex;
    hex << std::hex << made[0];
    Peer("delete", hex.str());
    WaitQueued(1);
    recorder.calls.clear();
    EXPECT_THROW(clock.Advance(ContactDBMsgStack::kQuietMs), FatalError);
    EXPECT_EQ(recorder.Count("deleted"), 0u);
}

TEST_F(ManagerWithPeer, FailedIndexChangeIsFatal) {
    index->failChanges = true;
    Peer("add", "1");
    WaitQueued(1);
    try {
        clock.Advance(ContactDBMsgStack::kQuietMs);
        ADD_FAILURE() << "a failed index change went on";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.Code(), kFatalDatabase);
    }
}

}  // namespace

// The manager's own add: its record, category assignments, named values and the object model's
// save commit together and reach the index as one batch, in which the contact is read and indexed
// once; its later change in the batch (the save) is only reported.
TEST(ManagerOwnChanges, AnAddIsIndexedOnceAndReportedAsAddedAndChanged) {
    TempDevice device;
    plat::ScopedTestClock clock;
    Recorder recorder;
    auto owned = std::make_unique<MemoryIndex>();
    MemoryIndex* index = owned.get();
    ContactManager manager(std::move(owned));
    manager.AddListener(recorder);
    ASSERT_TRUE(manager.Init(nullptr));
    Contact contact;
    contact.SetText(kFieldLast, u"Berg");
    contact.SetText(kFieldMobile, u"+49 30 1234567");
    ASSERT_TRUE(manager.AddContact(contact, true).Complete());
    ASSERT_TRUE(plat::RunUntil([&] { return manager.NotificationsDelivered(); }, kWaitMs));
    manager.FlushQueue();
    EXPECT_EQ(index->puts, 1);
    EXPECT_EQ(index->held.count(contact.GetOid()), 1u);
    EXPECT_EQ(recorder.Count("added"), 1u);
    EXPECT_EQ(recorder.Count("changed"), 1u);
}
