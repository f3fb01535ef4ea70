// Windows and messages between two real processes of one device: the peer (window_peer.cpp) owns
// a window; this process finds it, posts and sends to it, and sees it go when the peer is killed.
#include <gtest/gtest.h>

#include <numeric>

#include "PeerProcess.h"
#include "PeerProtocol.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"

namespace {

class CrossProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::EnsureApplication();
        record_ = (device_.Root().parent_path() / "peer.record").string();
        peer_ = std::make_unique<PeerProcess>("window_peer",
                                              std::vector<std::string>{device_.Root().string(), record_, "PEER.CLASS"});
        const auto ready = AwaitRecord(record_, "ready ");
        ASSERT_TRUE(ready) << "the peer did not start";
        peerWindow_ = static_cast<plat::HWND>(std::stoul(ready->substr(6)));
    }
    void TearDown() override { peer_.reset(); }

    std::string Awaited(const std::string& prefix) { return AwaitRecord(record_, prefix).value_or("(none)"); }

    TempDevice device_;
    std::string record_;
    std::unique_ptr<PeerProcess> peer_;
    plat::HWND peerWindow_ = 0;
};

TEST_F(CrossProcessTest, FoundByClassAndAnsweringSentMessages) {
    EXPECT_EQ(plat::FindWindow(u"peer.class"), peerWindow_);
    EXPECT_EQ(plat::SendMessage(peerWindow_, peer::kDouble, 0, 21), 42);
    EXPECT_EQ(plat::SendMessage(peerWindow_, peer::kDouble, 0, -21), -42);  // results come back signed
    // A value that cannot travel in 32 bits is refused before anything is sent.
    EXPECT_FALSE(plat::PostMessage(peerWindow_, plat::WM_USER, plat::WPARAM{1} << 40, 0));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_PARAMETER);
    // The same registered number in both processes.
    EXPECT_EQ(Awaited("registered "), "registered " + std::to_string(plat::RegisterWindowMessage(peer::kSharedName)));
}

TEST_F(CrossProcessTest, PostedMessagesArriveInOrderWith32BitParameters) {
    for (uint32_t i = 0; i < 200; ++i) ASSERT_TRUE(plat::PostMessage(peerWindow_, plat::WM_USER + 10, i, -static_cast<int>(i)));
    ASSERT_TRUE(plat::PostMessage(peerWindow_, plat::WM_USER + 11, 0xFFFFFFFFu, 0x80000000u));
    ASSERT_NE(Awaited("msg 1035 "), "(none)");
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) expected.push_back("msg 1034 " + std::to_string(i) + " " + std::to_string(-i));
    expected.push_back("msg 1035 4294967295 -2147483648");
    std::vector<std::string> got;
    for (const std::string& line : RecordLines(record_)) {
        if (line.rfind("msg ", 0) == 0) got.push_back(line);
    }
    EXPECT_EQ(got, expected);
}

TEST_F(CrossProcessTest, CopyDataCarriesItsBytes) {
    std::vector<uint8_t> bytes(200000);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    uint32_t checksum = 2166136261u;
    for (const uint8_t b : bytes) checksum = (checksum ^ b) * 16777619u;
    const plat::COPYDATASTRUCT data{0xABCDEF01u, static_cast<uint32_t>(bytes.size()), bytes.data()};
    EXPECT_EQ(plat::SendMessage(peerWindow_, plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&data)), 200000);
    EXPECT_EQ(Awaited("copydata "), "copydata " + std::to_string(0xABCDEF01u) + " 200000 " + std::to_string(checksum));

    const plat::COPYDATASTRUCT empty{1, 0, nullptr};
    EXPECT_EQ(plat::SendMessage(peerWindow_, plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&empty)), 0);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_SUCCESS);
}

TEST_F(CrossProcessTest, AWaitingSenderStillAnswersWhatIsSentToIt) {
    // This process sends to the peer, whose procedure sends back to us before it answers.
    const plat::HWND own = plat::CreateWindow(u"TEST.OWN", u"", [](plat::HWND, uint32_t m, plat::WPARAM, plat::LPARAM l) {
        return m == peer::kAddHundred ? l + 100 : 0;
    });
    ASSERT_NE(own, 0u);
    EXPECT_EQ(plat::SendMessage(peerWindow_, peer::kCallBack, own, 5), 106);
    EXPECT_EQ(Awaited("nested "), "nested 105");
    (void)plat::DestroyWindow(own);  // clean-up
}

TEST_F(CrossProcessTest, ATimedOutSendLeavesNoStaleAnswerBehind) {
    plat::LRESULT result = -1;
    EXPECT_FALSE(plat::SendMessageTimeout(peerWindow_, peer::kStall, 0, 0, 100, &result));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_TIMEOUT);
    EXPECT_EQ(result, -1);
    // The late answer (7) of the stalled send must not be taken for this one's.
    EXPECT_EQ(plat::SendMessage(peerWindow_, peer::kDouble, 0, 4), 8);
}

TEST_F(CrossProcessTest, ForegroundRequestsReachTheOwner) {
    const auto recorded = [] {
        const auto last = plat::LastForegroundRequest();
        return last ? std::optional(std::pair(last->window, last->withOwned)) : std::nullopt;
    };
    const auto before = recorded();
    ASSERT_TRUE(plat::SetForegroundWindow(peerWindow_ | 1));
    EXPECT_EQ(Awaited("foreground "), "foreground " + std::to_string(peerWindow_) + " 1");
    EXPECT_EQ(recorded(), before);  // recorded by the owner, not here
}

TEST_F(CrossProcessTest, AKilledOwnersWindowsAreGone) {
    ASSERT_EQ(plat::SendMessage(peerWindow_, peer::kDouble, 0, 1), 2);  // a kept connection to it
    peer_->Kill();
    // Not reaped yet: a process that has ended owns no windows even before its parent reaps it.
    for (int waited = 0; waited < 10000 && plat::IsWindow(peerWindow_); waited += 5) usleep(5000);
    EXPECT_FALSE(plat::IsWindow(peerWindow_));
    EXPECT_EQ(plat::FindWindow(u"PEER.CLASS"), 0u);
    EXPECT_EQ(plat::SendMessage(peerWindow_, peer::kDouble, 0, 1), 0);
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(CrossProcessTest, AClosedPeerRemovesItsEntryAndSocket) {
    ASSERT_TRUE(plat::PostMessage(peerWindow_, plat::WM_CLOSE, 0, 0));
    EXPECT_EQ(peer_->Reap(), 0);
    EXPECT_FALSE(plat::IsWindow(peerWindow_));
    size_t left = 0;
    for (const auto& item : std::filesystem::directory_iterator(device_.Device().NamespaceDir() / "windows")) {
        const std::string name = item.path().filename().string();
        left += name.ends_with(".w") || name.ends_with(".sock");
    }
    EXPECT_EQ(left, 0u);
}

}  // namespace
