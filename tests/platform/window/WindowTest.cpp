// Windows of one process: creation and destruction, finding, and the
// entries that processes which ended leave behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"
#include "platform/window/WindowDirectory.h"
#include "platform/window/WindowEntry.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

namespace {

struct Seen {
    plat::HWND window;
    uint32_t message;
    plat::WPARAM wParam;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { plat::EnsureApplication(); }

    // A window that records every message it gets and answers wParam + 1.
    plat::HWND Recording(std::u16string_view className, plat::HWND parent = 0) {
        return plat::CreateWindow(className, u"", [this](plat::HWND w, uint32_t m, plat::WPARAM wp, plat::LPARAM) {
            seen_.push_back({w, m, wp});
            return static_cast<plat::LRESULT>(wp + 1);
        }, parent);
    }
    std::vector<uint32_t> MessagesOf(plat::HWND window) const {
        std::vector<uint32_t> messages;
        for (const Seen& s : seen_) {
            if (s.window == window && s.message != plat::WM_CREATE) messages.push_back(s.message);
        }
        return messages;
    }
    std::filesystem::path Folder() const { return device_.Device().NamespaceDir() / "windows"; }

    TempDevice device_;
    std::vector<Seen> seen_;
};

// Finding by class across processes is the cross-process tests' business; here the newest of
// one class, child windows and the order in which a parent and its children end.
TEST_F(WindowTest, TheNewestTopLevelWindowIsFoundAndAParentEndsBeforeItsChildren) {
    const plat::HWND older = Recording(u"IS.MAIN.WND.CLASS");
    const plat::HWND newer = Recording(u"IS.MAIN.WND.CLASS");
    const plat::HWND child = Recording(u"CHILD.CLASS", newer);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(plat::FindWindow(u"IS.MAIN.WND.CLASS"), newer);
    EXPECT_EQ(plat::FindWindow(u"CHILD.CLASS"), 0u);  // child windows are not top-level

    ASSERT_TRUE(plat::DestroyWindow(newer));
    EXPECT_FALSE(plat::IsWindow(child));
    EXPECT_EQ(plat::FindWindow(u"IS.MAIN.WND.CLASS"), older);
    // The parent hears of its end before its children do.
    EXPECT_EQ(MessagesOf(newer), std::vector<uint32_t>{plat::WM_DESTROY});
    EXPECT_EQ(MessagesOf(child), std::vector<uint32_t>{plat::WM_DESTROY});
    EXPECT_LT(std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.window == newer && s.message == plat::WM_DESTROY; }),
              std::find_if(seen_.begin(), seen_.end(), [&](const Seen& s) { return s.window == child && s.message == plat::WM_DESTROY; }));
    (void)plat::DestroyWindow(older);  // clean-up
    EXPECT_EQ(plat::FindWindow(u"IS.MAIN.WND.CLASS"), 0u);
}

TEST_F(WindowTest, AProcedureMayDestroyItsOwnWindowWhileItRuns) {
    std::vector<uint32_t> seen;
    plat::HWND self = 0;
    self = plat::CreateWindow(u"SELF.DESTROYING", u"", [&](plat::HWND w, uint32_t m, plat::WPARAM, plat::LPARAM) {
        seen.push_back(m);
        if (m == plat::WM_CLOSE) (void)plat::DestroyWindow(w);  // clean-up
        return plat::LRESULT{0};
    });
    EXPECT_TRUE(plat::PostMessage(self, plat::WM_CLOSE, 0, 0));
    EXPECT_TRUE(plat::PostMessage(self, plat::WM_USER, 0, 0));
    (void)plat::RunUntil([&] { return !plat::IsWindow(self); }, 5000);  // the checks below say what came
    plat::ProcessEvents(20);
    EXPECT_EQ(seen, (std::vector<uint32_t>{plat::WM_CREATE, plat::WM_CLOSE, plat::WM_DESTROY}));
}

TEST_F(WindowTest, AnotherCurrentDeviceEndsTheWindowsOfTheOldOne) {
    const plat::HWND window = Recording(u"OLD.DEVICE");
    {
        TempDevice other;
        EXPECT_EQ(plat::FindWindow(u"OLD.DEVICE"), 0u);
        EXPECT_NE(Recording(u"NEW.DEVICE"), 0u);
    }
    EXPECT_FALSE(plat::IsWindow(window));
    EXPECT_EQ(plat::FindWindow(u"OLD.DEVICE"), 0u);
    EXPECT_TRUE(MessagesOf(window).empty());  // ended without messages
}

// The identity of a process that has ended and been reaped.
plat::ProcessIdentity EndedProcess() {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        char byte = 0;
        while (read(pipeEnds[0], &byte, 1) < 0) {}
        _exit(0);
    }
    const auto identity = plat::RunningProcess(static_cast<uint32_t>(child));
    EXPECT_EQ(write(pipeEnds[1], "x", 1), 1);
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return identity.value_or(plat::ProcessIdentity{static_cast<uint32_t>(child), 1});
}

// The entries of a killed owner are the cross-process tests' business; here an owner whose
// process id was reused, and an entry that is no entry.
TEST_F(WindowTest, EntriesOfAReusedProcessIdAreRemovedAndDamagedOnesLeftAlone) {
    plat::WindowDirectory directory(device_.Device().NamespaceDir());
    // Our own pid with another start time stands for a process whose id was reused.
    ASSERT_TRUE(directory.Publish(plat::WindowEntry{0x00700008, {plat::CurrentProcess().pid, 1}, true, u"GHOST"}));
    std::ofstream(Folder() / "00700010.w") << "not an entry";

    EXPECT_EQ(plat::FindWindow(u"GHOST"), 0u);
    EXPECT_FALSE(std::filesystem::exists(Folder() / "00700008.w"));
    EXPECT_FALSE(plat::IsWindow(0x00700010));
    EXPECT_TRUE(std::filesystem::exists(Folder() / "00700010.w"));
}

TEST_F(WindowTest, AProcessOutOfDescriptorsTakesNoRunningOwnerForEnded) {
    const plat::ProcessIdentity ended = EndedProcess();
    const plat::ProcessIdentity running = plat::CurrentProcess();
    const auto codes = RunInChildren(1, [&](int) {
        const rlimit limit{128, 128};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return 10;
        int last = -1;
        for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;) last = fd;
        if (last < 0) return 11;
        // No descriptor left: /proc cannot be read, and an owner that may run counts as running.
        if (!plat::IsAlive(running)) return 1;
        close(last);
        // With one free again, what /proc says counts.
        if (!plat::IsAlive(running)) return 2;
        if (plat::IsAlive(ended)) return 3;
        return 0;
    });
    EXPECT_EQ(codes, std::vector<int>{0});
}

// The kept process id must not follow a fork: a child that took its parent's id would take the
// parent's window system for its own and post from its port.
TEST_F(WindowTest, AForkedChildKnowsItsOwnProcessId) {
    const uint32_t parent = plat::CurrentPid();
    ASSERT_EQ(parent, static_cast<uint32_t>(getpid()));
    const auto codes = RunInChildren(2, [&](int) {
        const uint32_t own = plat::CurrentPid();
        if (own == parent) return 1;
        return own == static_cast<uint32_t>(getpid()) && plat::CurrentProcess().pid == own ? 0 : 2;
    });
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
}

}  // namespace
