// The coordination engine with several instances in one process (CoordInstance.h); dead
// instances are the business of the block test (one pass) and the process test (killed ones).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CoordInstance.h"
#include "ext/coord/CoordBlockFormat.h"
#include "ext/coord/Coordination.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"

namespace {

class CoordinationTest : public ::testing::Test {
protected:
    void SetUp() override { plat::EnsureApplication(); }

    std::vector<plat::HWND> Slots() { return block_.Slots(); }
    static void Pump() { plat::ProcessEvents(50); }

    TempDevice device_;
    BlockReader block_;
};

using M = CoordMessage;

// The hand-over itself is the process test's; here what the others are told and what stays.
TEST_F(CoordinationTest, AMasterThatLeavesHandsTheSlavesToTheNextOne) {
    auto a = RegisteredInstance();
    auto b = RegisteredInstance();
    auto c = RegisteredInstance();
    ASSERT_TRUE(a->engine.Unregister());
    Pump();
    EXPECT_EQ(c->got, (std::vector<M>{M::SlaveStop, M::SlaveReload}));
    EXPECT_TRUE(a->engine.IsMaster());  // the flag stays as it was

    ASSERT_TRUE(c->engine.Unregister());  // a slave leaving tells nobody
    Pump();
    EXPECT_EQ(Slots(), std::vector<plat::HWND>{b->window});
    EXPECT_EQ(b->got, std::vector<M>{M::ChangeToMaster});

    CoordInstance never;
    EXPECT_FALSE(never.engine.Unregister());
}

TEST_F(CoordinationTest, BecomingMasterSwapsWithTheOldMaster) {
    auto a = RegisteredInstance();
    auto b = RegisteredInstance();
    auto c = RegisteredInstance();
    EXPECT_FALSE(c->engine.BecomeMaster(a->window));
    ASSERT_TRUE(c->engine.BecomeMaster(c->window));
    EXPECT_EQ(Slots(), (std::vector<plat::HWND>{c->window, b->window, a->window}));
    EXPECT_EQ(a->got, (std::vector<M>{M::ChangeToSlave, M::SlaveStop}));
    EXPECT_FALSE(a->engine.IsMaster());
    EXPECT_EQ(c->got, std::vector<M>{M::ChangeToMaster});
    Pump();
    EXPECT_EQ(b->got, (std::vector<M>{M::SlaveStop, M::SlaveReload}));
    EXPECT_TRUE(c->engine.BecomeMaster(c->window));  // already master: nothing more is sent
    EXPECT_EQ(c->got.size(), 1u);
}

TEST_F(CoordinationTest, TenInstancesFillTheTable) {
    std::vector<std::unique_ptr<CoordInstance>> instances;
    for (int i = 0; i < 10; ++i) instances.push_back(RegisteredInstance());
    CoordInstance eleventh;
    EXPECT_FALSE(eleventh.engine.Register(eleventh.window));
    EXPECT_EQ(Slots().size(), 10u);
}

TEST_F(CoordinationTest, AnEngineThatCannotOpenDoesNothing) {
    // The mutex's lock file cannot be made: a folder stands where it would be.
    std::filesystem::path lock = device_.Device().NamespacePath(coordfmt::kMutexName);
    lock += ".mutex";
    ASSERT_EQ(mkdir(lock.c_str(), 0700), 0);
    Coordination engine;
    EXPECT_FALSE(engine.Open());
    const plat::HWND window =
        plat::CreateWindow(u"IS.MAIN.WND.CLASS", u"",
                           [](plat::HWND, uint32_t, plat::WPARAM, plat::LPARAM) { return plat::LRESULT{0}; });
    EXPECT_FALSE(engine.Register(window) || engine.BecomeMaster(window) || engine.ReloadSlaves());
    engine.SetChangeFlag(0, 1);
}

}  // namespace
