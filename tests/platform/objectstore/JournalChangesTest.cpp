// What the change journal tells a reader that holds a position in it: the records of the asked
// databases changed after it, each once, with the head read in the same state; and that it cannot
// tell once rows after the position were pruned, for a position past the head, or while this
// process holds an uncommitted batch.

#include "StoreFixture.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/objectstore/VolumeFormat.h"

namespace {

class JournalChanges : public StoreFixture {
protected:
    plat::CeOid MakeDatabase(const char16_t* name) {
        plat::DatabaseDescription declared;
        declared.name = name;
        return Create(declared);
    }
    plat::JournalChanges Read(int64_t after, std::vector<plat::CeOid> databases) {
        plat::JournalChanges changes;
        EXPECT_TRUE(plat::ReadJournalChanges(volume, after, databases, changes)) << plat::LastErrorMessage();
        return changes;
    }
    static std::vector<plat::CeOid> Oids(const plat::JournalChanges& changes) {
        std::vector<plat::CeOid> oids;
        for (const auto& record : changes.records) oids.push_back(record.oid);
        return oids;
    }
};

}  // namespace

TEST_F(JournalChanges, TellsTheRecordsChangedAfterAPositionOrThatItCannotTell) {
    const plat::CeOid people = MakeDatabase(u"People");
    const plat::CeOid others = MakeDatabase(u"Others");
    const plat::DbHandle p = Open(u"People");
    const plat::DbHandle o = Open(u"Others");
    const int64_t start = Read(0, {}).head;
    const plat::CeOid a = Add(p, {UintProp(1, 1)});
    const plat::CeOid b = Add(p, {UintProp(1, 2)});
    const plat::CeOid x = Add(o, {UintProp(1, 3)});
    ASSERT_NE(plat::WriteRecordProps(p, a, std::vector{UintProp(1, 4)}), 0u);
    ASSERT_TRUE(plat::DeleteRecord(p, b));
    const int64_t head = start + 5;

    const struct {
        const char* what;
        int64_t after;
        std::vector<plat::CeOid> databases;
        bool complete;
        std::vector<plat::CeOid> records;
    } cases[] = {
        {"one database", start, {people}, true, {a, b}},
        {"two databases", start, {people, others}, true, {a, b, x}},
        {"after the first change", start + 1, {people}, true, {a, b}},
        {"after the last change", start + 4, {people, others}, true, {b}},
        {"at the head", head, {people, others}, true, {}},
        {"past the head", head + 1, {people}, false, {}},
        {"a negative position", -1, {people}, false, {}},
    };
    for (const auto& c : cases) {
        const plat::JournalChanges changes = Read(c.after, c.databases);
        EXPECT_EQ(changes.head, head) << c.what;
        EXPECT_EQ(changes.complete, c.complete) << c.what;
        EXPECT_EQ(Oids(changes), c.records) << c.what;
    }

    // Uncommitted rows may be undone and their numbers given again: nothing is told meanwhile.
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    Add(p, {UintProp(1, 5)});
    const plat::JournalChanges inBatch = Read(head, {people});
    EXPECT_EQ(inBatch.head, -1);
    EXPECT_FALSE(inBatch.complete);
    ASSERT_TRUE(plat::EndWriteBatch(volume));

    // With nobody listening, rows are pruned once enough newer ones exist.
    ASSERT_TRUE(plat::BeginWriteBatch(volume));
    for (int64_t i = 0; i < plat::volformat::kJournalKept + 10; ++i) Add(o, {UintProp(1, 6)});
    ASSERT_TRUE(plat::EndWriteBatch(volume));
    const plat::JournalChanges pruned = Read(head, {people});
    EXPECT_FALSE(pruned.complete);
    EXPECT_TRUE(pruned.records.empty());
    const plat::JournalChanges recent = Read(pruned.head - 1, {others});
    EXPECT_TRUE(recent.complete);
    EXPECT_EQ(recent.records.size(), 1u);
}

// Rows removed from outside (a restored or edited file) leave the journal unable to tell, whether
// the last row or one in the middle went: the count of rows after a position must be head - position.
TEST_F(JournalChanges, ARowMissingAfterThePositionIsNeverTakenForNoChange) {
    const plat::CeOid people = MakeDatabase(u"People");
    const plat::DbHandle p = Open(u"People");
    const int64_t start = Read(0, {}).head;
    for (uint32_t i = 0; i < 4; ++i) Add(p, {UintProp(1, i)});
    const int64_t head = start + 4;
    ASSERT_TRUE(Read(start, {people}).complete);

    const struct {
        const char* what;
        int64_t removed;
        int64_t after;
        bool complete;
    } cases[] = {
        {"a row up to the position", start + 1, start + 1, true},
        {"a middle row", start + 3, start + 2, false},
        {"the last row", head, start + 3, false},
    };
    for (const auto& c : cases) {
        const std::string remove = "DELETE FROM journal WHERE seq = " + std::to_string(c.removed);
        ASSERT_EQ(Elsewhere(remove.c_str()), 0) << c.what;
        const plat::JournalChanges changes = Read(c.after, {people});
        EXPECT_EQ(changes.head, head) << c.what;
        EXPECT_EQ(changes.complete, c.complete) << c.what;
    }
}
