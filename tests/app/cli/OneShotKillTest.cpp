// brevane-cli add and update killed at random moments on a device of the sample contacts. A
// command may leave its change stored or not, and the index files saved, left as they were (the
// next open catches them up from the journal) or replaced one of two: whatever it left, the index
// opened next holds exactly the stored contacts and finds the changed one by its new name exactly
// when the store holds that name. The moments are drawn over the time a command that was not
// killed ran; BREVANE_ONESHOT_KILLS sets how many kills (6 by default).
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "platform/loop/EventLoop.h"
#include "store/contact/Contact.h"
#include "StoredAndIndexed.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

pid_t StartTool(const TempDevice& device, std::vector<std::string> args) {
    args.insert(args.begin(), {BREVANE_CLI, "--root", device.Root().string()});
    return SpawnProgram(args);
}

// The index of a new manager against the store; the contact `oid` is found by `word` exactly when
// its first name is `first`.
void ExpectIndexAgrees(uint32_t oid, const std::string& first) {
    ContactManager& manager = ContactManager::Instance();
    ASSERT_TRUE(manager.Init(nullptr));
    const auto [stored, indexed] = ReadStoredAndIndexed(manager);
    EXPECT_EQ(indexed, stored) << "the index differs from the store";
    Contact contact;
    ASSERT_TRUE(manager.ReadContact(oid, contact));
    const bool changed = contact.GetText(kFieldFirst).ToUtf8() == first;
    const OidVector found =
        manager.Index().Search(Str::FromUtf8(first).View(), IndexOrder::Name, nullptr, SearchTree::Text);
    EXPECT_EQ(found, changed ? OidVector{oid} : OidVector{}) << first;
    ContactManager::Release();
}

}  // namespace

TEST(OneShotKill, TheNextOpenAgreesWithTheStore) {
    plat::EnsureApplication();
    TempDevice device(TempDevice::Options{.phone = false});
    ASSERT_EQ(WaitExit(StartTool(device, {"init", "--demo"})), 0);
    ASSERT_EQ(WaitExit(StartTool(device, {"add", "first=Killed", "last=Target"})), 0);
    uint32_t target = 0;
    {
        ContactManager& manager = ContactManager::Instance();
        ASSERT_TRUE(manager.Init(nullptr));
        const OidVector found =
            manager.Index().Search(u"target", IndexOrder::Name, nullptr, SearchTree::Text);
        ASSERT_EQ(found.size(), 1u);
        target = found[0];
        ContactManager::Release();
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", target);
    const auto start = Clock::now();
    ASSERT_EQ(WaitExit(StartTool(device, {"update", hex, "first=Unkilled"})), 0);
    const auto length = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ExpectIndexAgrees(target, "Unkilled");

    const char* asked = std::getenv("BREVANE_ONESHOT_KILLS");
    const int kills = asked != nullptr ? std::atoi(asked) : 6;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < kills; ++round) {
        const std::string first = "Round" + std::to_string(round);
        const auto delay = std::chrono::microseconds(random() % (length.count() + 1));
        SCOPED_TRACE(first + " killed " + std::to_string(delay.count() / 1000) + " ms after its start, of " +
                     std::to_string(length.count() / 1000));
        const pid_t pid = round % 2 == 0 ? StartTool(device, {"update", hex, "first=" + first})
                                         : StartTool(device, {"add", "first=" + first, "last=Added"});
        ASSERT_NE(pid, 0);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
        WaitExit(pid);
        ExpectIndexAgrees(target, round % 2 == 0 ? first : "Unkilled");
    }
}
