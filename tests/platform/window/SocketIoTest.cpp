// The sockets between the processes of a device: a receiver too busy to take new connections is
// waited for until the time-out, never taken for one that is gone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/window/SocketIo.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SocketIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = "/tmp/brevane-sock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = folder_ / "s.sock";
        listener_ = plat::ListenAt(path_);
        ASSERT_GE(listener_, 0);
    }
    void TearDown() override {
        for (const int fd : connected_) plat::CloseFd(fd);
        plat::CloseFd(listener_);
        std::filesystem::remove_all(folder_);
    }

    // Connects until the listener's queue is full (nobody accepts); false when it never fills.
    bool FillQueue() {
        for (int fd; connected_.size() < 4096;) {
            if ((fd = plat::ConnectTo(path_, 0)) < 0) return !connected_.empty();
            connected_.push_back(fd);
        }
        return false;
    }

    std::filesystem::path folder_;
    std::filesystem::path path_;
    int listener_ = -1;
    std::vector<int> connected_;
};

TEST_F(SocketIoTest, AFullQueueIsWaitedForUntilTheReceiverTakesAConnection) {
    ASSERT_TRUE(FillQueue());

    // Nobody takes one: the connect gives up at its time-out, not before.
    Clock::time_point start = Clock::now();
    EXPECT_LT(plat::ConnectTo(path_, 150), 0);
    EXPECT_GE(MsSince(start), 140);

    // The receiver takes one a little later: the waiting connect gets through.
    std::thread receiver([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        int fd;
        while ((fd = plat::AcceptFrom(listener_)) < 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        connected_.push_back(fd);
    });
    const int fd = plat::ConnectTo(path_, 5000);
    receiver.join();
    ASSERT_GE(fd, 0);
    connected_.push_back(fd);
    EXPECT_NE(fcntl(fd, F_GETFL) & O_NONBLOCK, 0);  // the other functions rely on it

    // A listener that has gone is reported at once.
    plat::CloseFd(listener_);
    listener_ = -1;
    start = Clock::now();
    EXPECT_LT(plat::ConnectTo(path_, 5000), 0);
    std::filesystem::remove(path_);
    EXPECT_LT(plat::ConnectTo(path_, 5000), 0);
    EXPECT_LT(MsSince(start), 1000);
}

}  // namespace
