// A sorted open kept up to date from the change journal answers every seek exactly as a handle
// opened afresh: changes of another handle and of another process, deletes and changes of the
// current record, bursts of changes, and journal rows pruned behind the handle's back.
#include "Churn.h"
#include "StoreFixture.h"
#include "platform/objectstore/VolumeFormat.h"

namespace {

using plat::CeOid;
using plat::SeekType;

const plat::SortOrderDescription kByCompany{0, {{kCompany, 0}}};

class ViewRefresh : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        writer = Open(u"Contacts Database");
        sorted = Open(u"Contacts Database", &kByCompany);
    }

    // The whole order, then what value seeks and seeks from either end find (0: nothing).
    std::vector<CeOid> Answers(plat::DbHandle db) {
        std::vector<CeOid> found = Oids(db);
        for (const char16_t* name : {u"Acme", u"acme", u"B", u"Bolt", u"ecru", u"Écru", u"Zinc", u""}) {
            const std::vector<plat::PropVal> key = {plat::PropVal::Text(kCompany, name)};
            for (const SeekType type : {SeekType::ValueFirstEqual, SeekType::ValueGreater}) {
                found.push_back(plat::SeekDatabaseByValues(db, type, key));
            }
        }
        found.push_back(plat::SeekDatabase(db, SeekType::End, 0));
        found.push_back(plat::SeekDatabase(db, SeekType::End, -3));
        found.push_back(plat::SeekDatabase(db, SeekType::Beginning, 5));
        return found;
    }

    void ExpectSameAsFresh() {
        const plat::DbHandle fresh = plat::OpenDatabase(volume, u"Contacts Database", &kByCompany, {});
        ASSERT_NE(fresh, plat::kInvalidDbHandle);
        EXPECT_EQ(Answers(sorted), Answers(fresh));
        (void)plat::CloseDatabase(fresh);  // clean-up
    }

    void RunPeer(const std::string& mode, int64_t count, const std::string& arg) {
        ASSERT_EQ(StorePeer(device.Root(), mode, count, arg).Reap(), 0) << mode;
    }

    plat::DbHandle writer = plat::kInvalidDbHandle;
    plat::DbHandle sorted = plat::kInvalidDbHandle;
    std::mt19937 random{7};
};

TEST_F(ViewRefresh, ChangesOfAnotherHandleAndAnotherProcessArePatchedIn) {
    ASSERT_TRUE(Churn(writer, random, 150));
    ExpectSameAsFresh();
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Churn(writer, random, 1 + round % 3));
        ExpectSameAsFresh();
        RunPeer("churn", 1 + round % 4, std::to_string(100 + round));
        ExpectSameAsFresh();
        // Both writers between two seeks.
        ASSERT_TRUE(Churn(writer, random, 2));
        RunPeer("churn", 2, std::to_string(200 + round));
        ExpectSameAsFresh();
    }
}

TEST_F(ViewRefresh, TheCurrentRecordChangedOrDeletedElsewhere) {
    ASSERT_TRUE(Churn(writer, random, 80));
    struct Case {
        const char* name;
        bool byPeer;
        const char16_t* firstName;  // sorts before every other company
    };
    for (const Case& c : {Case{"another handle", false, u"Aa"}, Case{"another process", true, u"A"}}) {
        SCOPED_TRACE(c.name);
        const auto erase = [&](CeOid oid) {
            if (c.byPeer) {
                RunPeer("delete", oid, "-");
            } else {
                ASSERT_TRUE(plat::DeleteRecord(writer, oid));
            }
        };
        std::vector<CeOid> walk = Oids(sorted);
        ASSERT_GT(walk.size(), 10u);
        const size_t k = walk.size() / 2;
        ASSERT_EQ(plat::SeekDatabase(sorted, SeekType::Beginning, static_cast<int64_t>(k)), walk[k]);

        // Changed: it stays current and moves with its new key.
        const CeOid changed = walk[k];
        ASSERT_EQ(plat::WriteRecordProps(writer, changed, std::vector{plat::PropVal::Text(kCompany, c.firstName)}), changed);
        EXPECT_EQ(plat::SeekDatabase(sorted, SeekType::Current, 0), changed);
        EXPECT_EQ(plat::SeekDatabase(sorted, SeekType::Current, -1), 0u);
        walk = Oids(sorted);
        EXPECT_EQ(walk.front(), changed);
        ExpectSameAsFresh();

        // Deleted: it cannot be read; a step forward reaches its follower, a step back its predecessor.
        ASSERT_EQ(plat::SeekDatabase(sorted, SeekType::Beginning, static_cast<int64_t>(k)), walk[k]);
        erase(walk[k]);
        std::vector<plat::PropVal> props;
        EXPECT_EQ(plat::ReadRecordProps(sorted, {}, props), 0u);
        EXPECT_EQ(plat::GetLastError(), plat::ERROR_NOT_FOUND);
        EXPECT_EQ(plat::SeekDatabase(sorted, SeekType::Current, 0), 0u);
        ASSERT_EQ(plat::SeekDatabase(sorted, SeekType::Beginning, static_cast<int64_t>(k)), walk[k + 1]);
        erase(walk[k + 1]);
        EXPECT_EQ(plat::SeekDatabase(sorted, SeekType::Current, 1), walk[k + 2]);
        ASSERT_EQ(plat::SeekDatabase(sorted, SeekType::Current, 0), walk[k + 2]);
        erase(walk[k + 2]);
        EXPECT_EQ(plat::SeekDatabase(sorted, SeekType::Current, -1), walk[k - 1]);
        ExpectSameAsFresh();
    }
}

TEST_F(ViewRefresh, BurstsAndPrunedJournalsLoadTheOrderAgain) {
    ASSERT_TRUE(Churn(writer, random, 120));
    struct Case {
        const char* name;
        int changes;
        int64_t prunedPast;  // journal rows up to the handle's last row + this are pruned; 0: none
    };
    const Case cases[] = {
        {"a burst larger than an eighth of the records", 150, 0},
        {"the first unseen row pruned", 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectSameAsFresh();
        const int64_t seen = Elsewhere("SELECT seq FROM sqlite_sequence WHERE name = 'journal'");
        // The first change after what the handle has seen is one it must not miss.
        ASSERT_TRUE(plat::DeleteRecord(writer, plat::SeekDatabase(sorted, SeekType::Beginning, 0)));
        ASSERT_TRUE(Churn(writer, random, c.changes));
        if (c.prunedPast != 0) {
            ASSERT_EQ(Elsewhere(("DELETE FROM journal WHERE seq <= " + std::to_string(seen + c.prunedPast)).c_str()), 0);
            EXPECT_NE(Elsewhere("SELECT coalesce(min(seq), 0) FROM journal"), seen + 1);
        }
        ExpectSameAsFresh();
    }
}

TEST_F(ViewRefresh, WithoutListenersTheRecentJournalRowsAreKept) {
    const int64_t extra = 10;
    for (int64_t i = 0; i < plat::volformat::kJournalKept + extra; ++i) {
        ASSERT_NE(plat::WriteRecordProps(writer, 0, std::vector{plat::PropVal::Text(kCompany, u"Acme")}), 0u);
    }
    EXPECT_EQ(Elsewhere("SELECT count(*) FROM journal"), plat::volformat::kJournalKept);
    EXPECT_EQ(Elsewhere("SELECT min(seq) FROM journal"), extra + 1);
}

}  // namespace
