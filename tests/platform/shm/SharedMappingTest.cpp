#include "platform/shm/SharedMapping.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstring>

#include "platform/shm/PipeSignal.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

using plat::SharedMapping;
using plat::ShmStatus;
using Mode = SharedMapping::Mode;

namespace {

constexpr uint64_t kReserve = 1 << 20;
constexpr char16_t kName[] = u"Test.Mapping";

// Where Linux shows a shared-memory object.
bool ObjectExists(const std::string& name) { return std::filesystem::exists("/dev/shm" + name); }

std::unique_ptr<SharedMapping> OpenTest(
    Mode mode, ShmStatus* status = nullptr,
    SharedMapping::Publication publication = SharedMapping::Publication::Immediate) {
    return SharedMapping::Open(kName, kReserve, mode, status, publication);
}

}  // namespace

TEST(SharedMapping, HoldersShareOneObjectThatTheLastHolderRemoves) {
    TempDevice device;
    // What the holders see of each other's pages is checked between two processes below.
    auto first = OpenTest(Mode::OpenOrCreate);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->Existed());
    EXPECT_TRUE(ObjectExists(first->ObjectName()));
    auto second = OpenTest(Mode::OpenOrCreate);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->Existed());

    ShmStatus status = ShmStatus::Ok;
    EXPECT_FALSE(OpenTest(Mode::CreateNew, &status));
    EXPECT_EQ(status, ShmStatus::AlreadyExists);

    first.reset();
    EXPECT_TRUE(OpenTest(Mode::OpenExisting)) << "a remaining holder keeps the mapping";
    second.reset();  // the last holder removes the object
    EXPECT_FALSE(OpenTest(Mode::OpenExisting, &status));
    EXPECT_EQ(status, ShmStatus::NotFound);
}

TEST(SharedMapping, TwoProcessesShareTheLiveMapping) {
    TempDevice device;
    PipeSignal ready, done;
    const auto codes = RunInChildren(2, [&](int index) {
        if (index == 0) {
            auto mapping = OpenTest(Mode::OpenOrCreate);
            if (!mapping || mapping->Commit(8192) != ShmStatus::Ok) return 1;
            std::memcpy(mapping->Base() + 5000, "shared", 6);
            ready.Post();
            if (!done.Wait()) return 2;
            return mapping->Base()[0] == 'B' ? 0 : 3;
        }
        if (!ready.Wait()) return 1;
        auto mapping = OpenTest(Mode::OpenExisting);
        const bool sees = mapping && mapping->Existed() && mapping->Committed() >= 8192 &&
                          std::memcmp(mapping->Base() + 5000, "shared", 6) == 0;
        if (mapping) mapping->Base()[0] = 'B';
        done.Post();
        return sees ? 0 : 2;
    });
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
    EXPECT_FALSE(OpenTest(Mode::OpenExisting)) << "both holders ended, so the mapping is gone";
}

TEST(SharedMapping, ObjectOfCrashedHolderIsRecreated) {
    TempDevice device;
    const auto codes = RunInChildren(1, [](int) {
        auto mapping = OpenTest(Mode::OpenOrCreate);
        if (!mapping || mapping->Commit(4096) != ShmStatus::Ok) return 1;
        std::memset(mapping->Base(), 0x5A, 4096);
        ::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(codes, (std::vector<int>{-1}));
    EXPECT_FALSE(OpenTest(Mode::OpenExisting)) << "nobody lives to hold it";
    auto mapping = OpenTest(Mode::OpenOrCreate);
    ASSERT_TRUE(mapping);
    EXPECT_FALSE(mapping->Existed());
    EXPECT_EQ(mapping->Committed(), 0u) << "the stale content is not taken over";
    const std::string object = mapping->ObjectName();
    mapping.reset();
    EXPECT_FALSE(ObjectExists(object));
}

TEST(SharedMapping, OpenersWaitUntilTheCreatorPublishes) {
    TempDevice device;
    PipeSignal created;
    const auto codes = RunInChildren(2, [&](int index) {
        if (index == 0) {
            auto mapping = OpenTest(Mode::CreateNew, nullptr, SharedMapping::Publication::Deferred);
            if (!mapping || mapping->Commit(4096) != ShmStatus::Ok) return 1;
            created.Post();
            // Filled after the other process has started to open it.
            std::memset(mapping->Base(), 0x77, 4096);
            mapping->Publish();
            return 0;
        }
        if (!created.Wait()) return 1;
        auto mapping = OpenTest(Mode::OpenOrCreate);
        if (!mapping) return 2;
        // Either the creator was still there (then it had filled the mapping) or it had ended
        // (then this is a new, empty mapping); never a half-filled one.
        if (!mapping->Existed()) return mapping->Committed() == 0 ? 0 : 3;
        for (int i = 0; i < 4096; ++i) {
            if (mapping->Base()[i] != 0x77) return 4;
        }
        return 0;
    });
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
}

TEST(SharedMapping, CommitAndWriteFailuresAreReportedNotFaulted) {
    TempDevice device;
    auto mapping = OpenTest(Mode::OpenOrCreate);
    ASSERT_TRUE(mapping);
    EXPECT_EQ(mapping->Commit(kReserve + 1), ShmStatus::TooLarge);
    EXPECT_EQ(mapping->Commit(kReserve), ShmStatus::Ok);
    mapping->Base()[kReserve - 1] = 1;
    mapping.reset();

    // Shared memory that runs out: the process's file size limit stands in for a full /dev/shm.
    const auto codes = RunInChildren(1, [](int) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 1;
        auto m = OpenTest(Mode::OpenOrCreate);
        if (!m || m->Commit(32 * 1024) != ShmStatus::Ok) return 2;
        if (m->Commit(512 * 1024) != ShmStatus::NoSpace) return 3;
        if (m->Committed() != 32 * 1024) return 4;
        m->Base()[32 * 1024 - 1] = 1;  // what was committed stays usable
        const std::vector<uint8_t> big(128 * 1024, 1);
        if (m->Write(0, big.data(), big.size()) != ShmStatus::NoSpace) return 5;
        return 0;
    });
    EXPECT_EQ(codes, (std::vector<int>{0}));
}

// Bytes written through the object reach every view, a read-only one too, and back the pages they
// fill; a write beyond the reservation is refused (and one beyond the memory available, above).
TEST(SharedMapping, WritesThroughTheObjectReachTheViewsAndFailuresAreReported) {
    TempDevice device;
    auto mapping = OpenTest(Mode::OpenOrCreate);
    ASSERT_TRUE(mapping);
    ASSERT_TRUE(mapping->SetWritable(false));
    std::vector<uint8_t> bytes(10000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    ASSERT_EQ(mapping->Write(4, bytes.data(), bytes.size()), ShmStatus::Ok);
    mapping->MapForReading(4 + bytes.size());
    EXPECT_EQ(mapping->Committed(), 4 + bytes.size());
    EXPECT_EQ(std::memcmp(mapping->Base() + 4, bytes.data(), bytes.size()), 0);
    EXPECT_EQ(mapping->Write(kReserve - 2, bytes.data(), 4), ShmStatus::TooLarge);
    EXPECT_EQ(mapping->Committed(), 4 + bytes.size()) << "a refused write changes nothing";

    ASSERT_TRUE(mapping->SetWritable(true));
    mapping->Base()[4] = 0xEE;
    auto second = OpenTest(Mode::OpenExisting);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Base()[4], 0xEE);
    EXPECT_EQ(second->Base()[4 + bytes.size() - 1], bytes.back());
}
