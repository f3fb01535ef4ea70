#include "platform/shm/NamedMutex.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/shm/PipeSignal.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

using plat::NamedMutex;

TEST(NamedMutex, HandlesExcludeEachOtherAndCountNestedLocks) {
    TempDevice device;
    auto a = NamedMutex::Open(u"Test.Mutex");
    auto b = NamedMutex::Open(u"Test.Mutex");
    auto other = NamedMutex::Open(u"Other.Mutex");
    ASSERT_TRUE(a && b && other);

    ASSERT_TRUE(a->Lock());
    EXPECT_FALSE(b->Lock(0));
    EXPECT_TRUE(other->Lock(0)) << "another name is another mutex";
    EXPECT_TRUE(a->Lock(0)) << "the holder may lock again";
    a->Unlock();
    EXPECT_TRUE(a->IsHeld());
    EXPECT_FALSE(b->Lock(20)) << "still held once";
    a->Unlock();
    EXPECT_FALSE(a->IsHeld());
    EXPECT_TRUE(b->Lock(0));
    b->Unlock();
    b->Unlock();  // an extra unlock is harmless
    EXPECT_TRUE(a->Lock(0));
}

TEST(NamedMutex, WaiterGetsTheMutexWhenTheHolderReleasesOrDies) {
    TempDevice device;
    PipeSignal held, tried;
    const auto codes = RunInChildren(2, [&](int index) {
        auto mutex = NamedMutex::Open(u"Test.Mutex");
        if (!mutex) return 1;
        if (index == 0) {
            if (!mutex->Lock()) return 2;
            held.Post();
            if (!tried.Wait()) return 3;
            ::raise(SIGKILL);  // dies holding it
            return 4;
        }
        if (!held.Wait()) return 2;
        const bool busy = !mutex->Lock(0);
        tried.Post();
        return busy && mutex->Lock() ? 0 : 3;
    });
    EXPECT_EQ(codes, (std::vector<int>{-1, 0}));
    auto mutex = NamedMutex::Open(u"Test.Mutex");
    ASSERT_TRUE(mutex);
    EXPECT_TRUE(mutex->Lock(0));
}
