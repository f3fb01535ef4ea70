// Write batches: many writes of this process in one transaction, committed at the outermost end (or
// between inner batches once the batch is old), seen by nobody else before; listeners hear every
// change once, in order, after the commit; a listener that fell too far behind gets one reload.
#include <chrono>
#include <string>
#include <thread>

#include "StoreFixture.h"
#include "platform/objectstore/Transactions.h"
#include "platform/objectstore/VolumeFormat.h"

namespace {

constexpr int kWaitMs = 60000;

using Change = std::pair<uint32_t, plat::CeOid>;  // type, record

class Batch : public StoreFixture {
protected:
    // The records of "Contacts Database" that another process sees.
    int SeenElsewhere() { return StorePeer(device.Root(), "count", 0, "-").Reap(); }

    plat::DbHandle Listen(std::vector<Change>& into) {
        return Open(u"Contacts Database", nullptr, [&into](const plat::Notification& n) { into.emplace_back(n.type, n.oid); });
    }
};

TEST_F(Batch, CommitsAtTheOutermostEndAndOnlyThenOthersSeeAndHearIt) {
    std::vector<Change> heard;
    Listen(heard);
    const plat::DbHandle writer = Open(u"Contacts Database");
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    const plat::CeOid first = Add(writer, {TextProp(0x82, u"first")});
    ASSERT_TRUE(plat::EndWriteBatch(volume));
    const plat::CeOid second = Add(writer, {TextProp(0x82, u"second")});
    // A failed write leaves nothing of itself and the batch goes on.
    EXPECT_EQ(plat::WriteRecordProps(writer, second + 1000, std::vector{TextProp(0x82, u"none")}), 0u);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
    ASSERT_NE(plat::WriteRecordProps(writer, first, std::vector{TextProp(0x84, u"changed")}), 0u);

    // This process reads its batch; nobody else sees it, and nothing is heard before the commit.
    EXPECT_EQ(Oids(writer), (std::vector{first, second}));
    ASSERT_EQ(plat::SeekDatabase(writer, plat::SeekType::Oid, first), first);
    EXPECT_EQ(ReadAll(writer).size(), 3u);  // its two texts and its record identifier value
    EXPECT_EQ(SeenElsewhere(), 0);
    plat::ProcessEvents(50);
    EXPECT_TRUE(heard.empty());

    ASSERT_TRUE(plat::EndWriteBatch(volume)) << plat::LastErrorMessage();
    EXPECT_EQ(SeenElsewhere(), 2);
    ASSERT_TRUE(plat::RunUntil([&] { return heard.size() >= 3; }, kWaitMs));
    plat::ProcessEvents(50);
    const std::vector<Change> expected = {
        {plat::DB_CEOID_CREATED, first}, {plat::DB_CEOID_CREATED, second}, {plat::DB_CEOID_CHANGED, first}};
    EXPECT_EQ(heard, expected);

    EXPECT_FALSE(plat::EndWriteBatch(volume));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
}

// A new record's write that fails after some of its rows went in (a trigger refuses a later row)
// leaves nothing of itself, and the batch goes on: the records and the journal hold the others,
// numbered without a gap, and the listeners hear only them.
TEST_F(Batch, ANewRecordRefusedHalfWrittenLeavesNothingOfItself) {
    const std::string refusedRow = "(SELECT 1 FROM props WHERE owner = NEW.oid AND value = 666)";
    const std::string triggers[] = {"BEFORE INSERT ON props WHEN NEW.value = 666",
                                    "BEFORE INSERT ON journal WHEN EXISTS " + refusedRow};
    std::vector<Change> heard;
    Listen(heard);
    const plat::DbHandle writer = Open(u"Contacts Database");
    for (const std::string& trigger : triggers) {
        SCOPED_TRACE(trigger);
        ASSERT_EQ(Elsewhere("DROP TRIGGER IF EXISTS refuse"), 0);
        ASSERT_EQ(
            Elsewhere(("CREATE TRIGGER refuse " + trigger + " BEGIN SELECT RAISE(ABORT, 'no'); END").c_str()),
            0);
        heard.clear();
        const int64_t before = Elsewhere("SELECT count(*) FROM records");
        ASSERT_TRUE(plat::BeginWriteBatch(volume));
        const plat::CeOid first = Add(writer, {TextProp(0x82, u"first")});
        EXPECT_EQ(
            plat::WriteRecordProps(writer, 0, std::vector{TextProp(0x82, u"refused"), UintProp(0x83, 666)}),
            0u);
        const plat::CeOid last = Add(writer, {TextProp(0x82, u"last")});
        ASSERT_TRUE(plat::EndWriteBatch(volume)) << plat::LastErrorMessage();

        EXPECT_EQ(Elsewhere("SELECT count(*) FROM records"), before + 2);
        EXPECT_EQ(Elsewhere("SELECT count(*) FROM props WHERE owner NOT IN (SELECT oid FROM records)"), 0);
        EXPECT_EQ(Elsewhere("SELECT max(seq) - min(seq) + 1 - count(*) FROM journal"), 0) << "a gap";
        ASSERT_TRUE(plat::RunUntil([&] { return heard.size() >= 2; }, kWaitMs));
        plat::ProcessEvents(50);
        const std::vector<Change> expected = {{plat::DB_CEOID_CREATED, first},
                                              {plat::DB_CEOID_CREATED, last}};
        EXPECT_EQ(heard, expected);
    }
}

// Once the batch is old, the end of an inner batch commits what came before; writes after it wait
// for the next inner end or the outermost one.
TEST_F(Batch, AnOldBatchCommitsBetweenItsInnerBatches) {
    const plat::DbHandle writer = Open(u"Contacts Database");
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    for (int i = 0; i < 2; ++i) {
        if (i == 1) std::this_thread::sleep_for(plat::objstore::Transactions::kBatchCommitMs + std::chrono::milliseconds(50));
        ASSERT_TRUE(plat::BeginWriteBatch(volume));
        Add(writer, {TextProp(0x82, u"inner")});
        ASSERT_TRUE(plat::EndWriteBatch(volume));
    }
    EXPECT_EQ(SeenElsewhere(), 2);
    Add(writer, {TextProp(0x82, u"outer")});
    EXPECT_EQ(SeenElsewhere(), 2);
    ASSERT_TRUE(plat::EndWriteBatch(volume));
    EXPECT_EQ(SeenElsewhere(), 3);
}

// A listener whose unseen rows were pruned reloads everything: it gets one volume notification, and
// the rows of the same fetch, which its reload reads anyway, are not handed to it.
TEST_F(Batch, AListenerLeftTooFarBehindGetsOneReload) {
    std::vector<Change> heard;
    Listen(heard);
    const plat::DbHandle writer = Open(u"Contacts Database");
    const plat::CeOid oid = Add(writer, {TextProp(0x82, u"often changed")});
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    for (int64_t i = 0; i <= plat::volformat::kJournalBound; ++i) {
        ASSERT_NE(plat::WriteRecordProps(writer, oid, std::vector{UintProp(0x90, static_cast<uint32_t>(i))}), 0u);
    }
    ASSERT_TRUE(plat::EndWriteBatch(volume));
    ASSERT_TRUE(plat::RunUntil([&] { return !heard.empty(); }, kWaitMs));
    plat::ProcessEvents(50);
    EXPECT_EQ(heard, (std::vector<Change>{{plat::DB_CEOID_VOLUME, 0}}));
}

// A read batch sees one committed state: another process's commits show only after its outermost
// end. This process's own writes, alone or in a write batch, are never held up by it; the reads
// after them see them (and whatever else was committed by then). Notifications arrive meanwhile.
TEST_F(Batch, AReadBatchSeesOneStateAndNeverHoldsUpItsOwnWrites) {
    std::vector<Change> heard;
    Listen(heard);
    const plat::DbHandle db = Open(u"Contacts Database");
    const auto otherAdds = [&] {
        return StorePeer(device.Root(), "write", 1, (device.Root() / "peer.log").string()).Reap();
    };
    Add(db, {TextProp(0x82, u"before")});
    ASSERT_TRUE(plat::BeginReadBatch(volume));
    ASSERT_TRUE(plat::BeginReadBatch(volume));
    EXPECT_EQ(Oids(db).size(), 1u);
    ASSERT_EQ(otherAdds(), 0);
    EXPECT_EQ(Oids(db).size(), 1u);
    EXPECT_TRUE(plat::RunUntil([&] { return heard.size() >= 3; }, kWaitMs));

    const plat::CeOid own = Add(db, {TextProp(0x82, u"own")});
    EXPECT_EQ(Oids(db).size(), 3u);
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    Add(db, {TextProp(0x82, u"batched")});
    ASSERT_NE(plat::WriteRecordProps(db, own, std::vector{TextProp(0x84, u"changed")}), 0u);
    EXPECT_EQ(Oids(db).size(), 4u);
    ASSERT_TRUE(plat::EndWriteBatch(volume)) << plat::LastErrorMessage();
    EXPECT_EQ(SeenElsewhere(), 4);
    ASSERT_EQ(plat::SeekDatabase(db, plat::SeekType::Oid, own), own);
    EXPECT_EQ(ReadAll(db).size(), 3u);

    ASSERT_EQ(otherAdds(), 0);
    ASSERT_TRUE(plat::EndReadBatch(volume));
    EXPECT_EQ(Oids(db).size(), 4u);
    ASSERT_TRUE(plat::EndReadBatch(volume));
    EXPECT_EQ(Oids(db).size(), 5u);
    EXPECT_FALSE(plat::EndReadBatch(volume));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
}

}  // namespace

namespace {

// A batch held with two levels commits nothing part-way, however old it is; a cancel undoes what
// it wrote since its last commit (nobody ever sees or hears it) and the batch goes on.
TEST_F(Batch, TwoLevelsCommitWholeAndACancelUndoesTheirWrites) {
    std::vector<Change> heard;
    Listen(heard);
    const plat::DbHandle writer = Open(u"Contacts Database");
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(plat::BeginWriteBatch(volume));
        Add(writer, {TextProp(0x82, u"step")});
        std::this_thread::sleep_for(plat::objstore::Transactions::kBatchCommitMs);
        ASSERT_TRUE(plat::EndWriteBatch(volume));
    }
    EXPECT_EQ(SeenElsewhere(), 0);
    ASSERT_TRUE(plat::CancelWriteBatch(volume));
    EXPECT_TRUE(Oids(writer).empty());
    const plat::CeOid kept = Add(writer, {TextProp(0x82, u"after")});
    ASSERT_TRUE(plat::EndWriteBatch(volume));
    ASSERT_TRUE(plat::EndWriteBatch(volume)) << plat::LastErrorMessage();
    EXPECT_EQ(Oids(writer), std::vector{kept});
    EXPECT_EQ(SeenElsewhere(), 1);
    ASSERT_TRUE(plat::RunUntil([&] { return !heard.empty(); }, kWaitMs));
    plat::ProcessEvents(50);
    EXPECT_EQ(heard, (std::vector<Change>{{plat::DB_CEOID_CREATED, kept}}));

    EXPECT_FALSE(plat::CancelWriteBatch(volume));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
}

}  // namespace
