#include "index/store/IndexStore.h"

#include <gtest/gtest.h>

#include <string>

#include "core/diag/ErrorLog.h"
#include "index/format/Words.h"
#include "index/mapped/FileBytes.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

using namespace IndexFormat;

namespace {

constexpr uint32_t kFreshLength = 102444;

std::vector<uint8_t> ImageOf(IndexStore& store) {
    return {store.BaseAddress(), store.BaseAddress() + store.Length()};
}

void SaveAndClose(IndexStore& store) {
    ASSERT_TRUE(store.File().StartSave());
    store.File().WaitSave();
    ASSERT_EQ(store.File().LastSave(), SaveState::Saved);
    store.Close();
}

// A device with a new index image.
class IndexStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Create()); }

    TempDevice device;
    IndexStore store;
};

}  // namespace

TEST_F(IndexStoreTest, FreshImageAndItsFileAreByteExact) {
    ASSERT_EQ(store.Length(), kFreshLength);
    std::vector<uint8_t> expected(kFreshLength, 0);
    StoreWord(&expected[0], 1);
    StoreWord(&expected[4], 7);
    StoreWord(&expected[44], 102400);          // heap length
    StoreWord(&expected[48], 8);               // lowest free block
    StoreTag(&expected[52], -102384);          // its tag
    StoreWord(&expected[56], 8);               // next free
    StoreWord(&expected[60], 8);               // previous free
    StoreTag(&expected[kFreshLength - 4], -102384);  // footer
    EXPECT_EQ(ImageOf(store), expected);

    SaveAndClose(store);
    EXPECT_EQ(ReadBytes(device.Host(u"\\pim_index1.dat")), SealImage(expected));

    ASSERT_TRUE(store.Open());
    EXPECT_EQ(ImageOf(store), expected) << "the heap's last footer is restored";
}

TEST_F(IndexStoreTest, AllocationsAreZeroedAndSurviveSaveAndReopen) {
    std::vector<StorePtr> blocks;
    for (uint32_t i = 1; i <= 50; ++i) {
        StorePtr ptr;
        uint8_t* address = store.Allocate(i * 6, ptr);
        ASSERT_NE(address, nullptr);
        EXPECT_EQ(store.ToAddress(ptr.Offset()), address);
        EXPECT_EQ(std::count(address, address + i * 6, 0), i * 6) << "zero-filled";
        std::fill_n(address, i * 6, static_cast<uint8_t>(0xA0 + i));
        blocks.push_back(ptr);
    }
    EXPECT_EQ(blocks.front().Offset(), kHeapOffset + kHeapFirstBlock + 4);
    for (size_t i = 0; i < blocks.size(); i += 3) store.FreePtr(blocks[i]);
    EXPECT_TRUE(blocks[0].IsNull());
    store.SetHeaderWord(kOrderNameWord, blocks[1].Offset());
    const std::vector<uint8_t> before = ImageOf(store);

    SaveAndClose(store);
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(ImageOf(store), before);
    StorePtr again;  // a freed block is given again, zero-filled
    ASSERT_NE(store.Allocate(6, again), nullptr);
    EXPECT_EQ(again.Offset(), kHeapOffset + kHeapFirstBlock + 4);
    EXPECT_EQ(std::count(again.Address(), again.Address() + 6, 0), 6);
}

TEST_F(IndexStoreTest, FullHeapGrowsTheImageAndKeepsPositionsValid) {
    StorePtr small;
    ASSERT_NE(store.Allocate(16, small), nullptr);
    small.SetWord(0, 0x11223344);

    // 200000 bytes do not fit the free 102360: the image grows by 200008 and the new space merges
    // with the free last block.
    StorePtr big;
    ASSERT_NE(store.Allocate(200000, big), nullptr);
    EXPECT_EQ(store.Length(), kFreshLength + 200008);
    EXPECT_EQ(LoadWord(store.BaseAddress() + kHeapOffset), 102400u + 200008);
    EXPECT_EQ(big.Offset(), kHeapOffset + 8 + 24 + 4);
    EXPECT_EQ(small.Word(0), 0x11223344u);
    const StoreHeap::Stats stats = store.Heap().Walk();
    EXPECT_EQ(stats.freeBlocks, 1u);
    EXPECT_EQ(stats.freeBytes, 102400u + 200008 - 8 - 24 - 200008 - 8);

    // A request that fits nowhere in a heap whose last block is in use grows by the minimum step.
    StorePtr rest;
    ASSERT_NE(store.Allocate(static_cast<uint32_t>(stats.freeBytes), rest), nullptr);
    const uint32_t length = store.Length();
    StorePtr more;
    ASSERT_NE(store.Allocate(8, more), nullptr);
    EXPECT_EQ(store.Length(), length + 102400);
    EXPECT_EQ(more.Offset(), length + 4);
}

TEST(IndexStore, ImageAtTheViewLimitFailsCleanlyAndStaysUsable) {
    TempDevice device;
    IndexStore store(std::u16string(IndexStore::kDefaultPath), 256 * 1024);
    ASSERT_TRUE(store.Create());
    std::vector<StorePtr> blocks;
    StorePtr ptr;
    while (store.Allocate(30000, ptr) != nullptr) blocks.push_back(ptr);
    EXPECT_TRUE(ptr.IsNull());
    EXPECT_EQ(store.LastError(), MappedError::TooLarge);
    EXPECT_LE(store.Length(), store.File().MaxLength());
    const std::string log = ReadHostFile(device.Host(ErrorLogPath()));
    EXPECT_NE(log.find("Unable open memory as mapped file!!!\t\tIndexStore"), std::string::npos) << log;

    StorePtr huge;
    EXPECT_EQ(store.Allocate(0xFFFFFFF0u, huge), nullptr);
    StorePtr small;
    ASSERT_NE(store.Allocate(64, small), nullptr) << "what still fits is still given";
    store.FreePtr(blocks.back());
    ASSERT_NE(store.Allocate(30000, ptr), nullptr) << "freed space is used again";
    const std::vector<uint8_t> image = ImageOf(store);
    SaveAndClose(store);
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(ImageOf(store), image);
}

TEST_F(IndexStoreTest, OpenRejectsForeignHeadersAndDamagedHeaps) {
    StorePtr a, b;
    store.Allocate(40, a);
    store.Allocate(40, b);
    store.FreePtr(a);
    const std::vector<uint8_t> image = ImageOf(store);
    store.Close();

    struct Case { const char* what; uint32_t at; uint32_t value; };
    const Case cases[] = {
        {"magic", 0, 2},
        {"version 5", 4, 5},
        {"version 6, without folded spellings", 4, 6},
        {"heap length", 44, 102392},
        {"block tag", 52, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> damaged = image;
        StoreWord(&damaged[c.at], c.value);
        WriteBytes(device.Host(u"\\pim_index1.dat"), SealImage(damaged));  // a valid container
        EXPECT_FALSE(store.Open());
        EXPECT_EQ(store.LastError(), MappedError::Damaged);
        EXPECT_FALSE(store.IsOpen());
    }
    WriteBytes(device.Host(u"\\pim_index1.dat"), SealImage(std::vector<uint8_t>(40, 0)));
    EXPECT_FALSE(store.Open()) << "no room for a header and a heap";

    WriteBytes(device.Host(u"\\pim_index1.dat"), SealImage(image));
    EXPECT_TRUE(store.Open());
}
