// Coordination between real processes: coord_peer instances and instances inside this process
// share the block of one device; masters are killed with SIGKILL, as a crash would end them.
#include <gtest/gtest.h>

#include "CoordInstance.h"
#include "platform/window/PeerProcess.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"

namespace {

using M = CoordMessage;

struct Peer {
    std::unique_ptr<PeerProcess> process;
    std::string record;
    plat::HWND window = 0;
    bool master = false;
};

class CoordinationProcessTest : public ::testing::Test {
protected:
    void SetUp() override { plat::EnsureApplication(); }

    Peer StartPeer() {
        Peer peer;
        peer.record =
            (device_.Root().parent_path() / ("peer" + std::to_string(++peers_) + ".record")).string();
        peer.process = std::make_unique<PeerProcess>(
            "coord_peer", std::vector<std::string>{device_.Root().string(), peer.record});
        const auto line = AwaitRecord(peer.record, "registered ");
        EXPECT_TRUE(line) << "the peer did not register";
        if (line) {
            const size_t blank = line->find(' ', 11);
            peer.window = static_cast<plat::HWND>(std::stoul(line->substr(11, blank - 11)));
            peer.master = line->substr(blank + 1) == "1";
        }
        return peer;
    }
    // Runs the event loop until the instance has got `count` messages (10 s at most). Waiting in
    // the loop matters: ProcessEvents returns as soon as nothing is pending, so counting its calls
    // would give up within milliseconds, and a sender in another process would then wait for an
    // answer from a test that has stopped serving its windows.
    static void AwaitMessages(const CoordInstance& instance, size_t count) {
        // The checks below say what came.
        (void)plat::RunUntil([&] { return instance.got.size() >= count; }, 10000);
    }

    TempDevice device_;
    BlockReader block_;
    int peers_ = 0;
};

TEST_F(CoordinationProcessTest, AKilledMastersPlaceGoesToTheNextInstance) {
    Peer a = StartPeer();
    Peer b = StartPeer();
    EXPECT_TRUE(a.master);
    EXPECT_FALSE(b.master);
    auto own = RegisteredInstance();
    EXPECT_FALSE(own->engine.IsMaster());
    EXPECT_EQ(block_.Slots(), (std::vector<plat::HWND>{a.window, b.window, own->window}));

    // The master tells the slaves to reload: a posted message reaches each of them.
    ASSERT_TRUE(plat::PostMessage(a.window, plat::WM_USER + 1, 0, 0));
    EXPECT_TRUE(AwaitRecord(b.record, "got PimSyncSlaveReload"));
    AwaitMessages(*own, 1);
    EXPECT_EQ(own->got, std::vector<M>{M::SlaveReload});

    a.process->Kill();  // not reaped: the ended process still exists as a zombie
    auto late = RegisteredInstance();
    EXPECT_EQ(block_.Slots(), (std::vector<plat::HWND>{b.window, own->window, late->window}));
    EXPECT_EQ(AwaitRecord(b.record, "got PimSyncChangeToMaster").value_or(""),
              "got PimSyncChangeToMaster 0 0");

    // The new master maintains the index and has the slaves reload.
    ASSERT_TRUE(plat::PostMessage(b.window, plat::WM_USER + 1, 0, 0));
    EXPECT_EQ(AwaitRecord(b.record, "reload ").value_or(""), "reload 1");
    AwaitMessages(*late, 1);
    EXPECT_EQ(late->got, std::vector<M>{M::SlaveReload});

    // A slave's link-type change travels to the master in the other process.
    own->engine.UpdateLinkType(0x1234, 2);
    EXPECT_EQ(AwaitRecord(b.record, "got PimSyncUpdateLinkType").value_or(""),
              "got PimSyncUpdateLinkType 4660 2");
}

TEST_F(CoordinationProcessTest, TwoKilledInstancesSideBySideLeaveNoDeadMaster) {
    Peer a = StartPeer();
    Peer b = StartPeer();
    Peer c = StartPeer();
    a.process->Kill();
    b.process->Kill();
    a.process->Reap();
    auto own = RegisteredInstance();
    EXPECT_EQ(block_.Slots(), (std::vector<plat::HWND>{c.window, own->window}));
    EXPECT_TRUE(AwaitRecord(c.record, "got PimSyncChangeToMaster"));
    EXPECT_FALSE(own->engine.IsMaster());
}

TEST_F(CoordinationProcessTest, AnInstanceThatEndsNormallyHandsOver) {
    Peer a = StartPeer();
    auto own = RegisteredInstance();
    ASSERT_TRUE(plat::PostMessage(a.window, plat::WM_CLOSE, 0, 0));
    AwaitMessages(*own, 1);  // the leaving master sends ChangeToMaster, then posts nothing to nobody
    EXPECT_EQ(a.process->Reap(), 0);
    EXPECT_EQ(own->got, std::vector<M>{M::ChangeToMaster});
    EXPECT_TRUE(own->engine.IsMaster());
    EXPECT_EQ(block_.Slots(), std::vector<plat::HWND>{own->window});
}

}  // namespace
