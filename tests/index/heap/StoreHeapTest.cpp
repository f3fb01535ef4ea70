#include "index/heap/StoreHeap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/heap/HeapScan.h"

using namespace IndexFormat;

namespace {

// A heap as its file brings it: checked, then its last footer put back.
bool Checked(uint8_t* heap, uint32_t available) {
    int32_t lastTag = 0;
    if (!StoreHeap::Check(heap, available, lastTag)) return false;
    StoreHeap::RestoreLastFooter(heap, available, lastTag);
    return true;
}

// A heap in a plain buffer, with room to grow.
struct TestHeap {
    explicit TestHeap(uint32_t length, uint32_t room = 0) : bytes(length + room, 0xEE) {
        StoreHeap::Format(bytes.data(), length);
        heap.Attach(bytes.data());
    }
    uint32_t Word(uint32_t at) const { return LoadWord(bytes.data() + at); }
    int32_t Tag(uint32_t at) const { return LoadTag(bytes.data() + at); }
    // The free blocks as the list links them from the head, checking the back links on the way.
    std::vector<uint32_t> FreeList() const {
        std::vector<uint32_t> blocks;
        const uint32_t head = Word(kHeapFreeHeadAt);
        for (uint32_t b = head; b != 0 && blocks.size() < 1000;) {
            blocks.push_back(b);
            const uint32_t next = Word(b + 4 + kFreeNextAt);
            EXPECT_EQ(Word(next + 4 + kFreePrevAt), b) << "back link of " << next;
            if (next == head) break;
            b = next;
        }
        return blocks;
    }

    std::vector<uint8_t> bytes;
    StoreHeap heap;
};

}  // namespace

TEST(StoreHeap, AllocationSplitsOnlyWhenTheRestCanStandAsABlock) {
    struct Case {
        uint32_t request;
        uint32_t payload;  // the block's size
        int32_t restTag;   // 0: no free block left
    };
    // One free block of 40 payload bytes.
    const Case cases[] = {
        {0, 8, -24}, {8, 8, -24}, {9, 12, -20}, {24, 24, -8}, {25, 40, 0}, {40, 40, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        TestHeap t(8 + 40 + 8);
        const uint32_t payload = t.heap.Allocate(c.request);
        ASSERT_EQ(payload, 12u);
        EXPECT_EQ(t.heap.BlockSize(payload), c.payload);
        EXPECT_EQ(t.Tag(8), static_cast<int32_t>(c.payload));
        EXPECT_EQ(t.Tag(12 + c.payload), static_cast<int32_t>(c.payload));
        if (c.restTag == 0) {
            EXPECT_EQ(t.Word(4), 0u);
        } else {
            const uint32_t rest = 8 + 8 + c.payload;
            EXPECT_EQ(t.Word(4), rest);
            EXPECT_EQ(t.Tag(rest), c.restTag);
            EXPECT_EQ(t.FreeList(), std::vector<uint32_t>{rest});
        }
        EXPECT_TRUE(Checked(t.bytes.data(), 56));
    }
    TestHeap t(56);
    EXPECT_EQ(t.heap.Allocate(41), 0u) << "larger than any free block";
    EXPECT_EQ(t.heap.Allocate(kMaxPayload + 1), 0u);
}

TEST(StoreHeap, FreeingMergesNeighboursAndKeepsTheListInAddressOrder) {
    TestHeap t(102408);
    std::vector<uint32_t> p;
    for (int i = 0; i < 6; ++i) p.push_back(t.heap.Allocate(16));  // blocks of 24 bytes from 8
    const uint32_t rest = 8 + 6 * 24;
    EXPECT_EQ(t.FreeList(), std::vector<uint32_t>{rest});

    ASSERT_TRUE(t.heap.Free(p[3]));
    ASSERT_TRUE(t.heap.Free(p[1]));
    EXPECT_EQ(t.FreeList(), (std::vector<uint32_t>{p[1] - 4, p[3] - 4, rest})) << "inserted in order";
    ASSERT_TRUE(t.heap.Free(p[5]));  // merges with the free rest after it
    EXPECT_EQ(t.FreeList(), (std::vector<uint32_t>{p[1] - 4, p[3] - 4, p[5] - 4}));
    EXPECT_EQ(t.Tag(p[5] - 4), -(102392 - 5 * 24));
    ASSERT_TRUE(t.heap.Free(p[2]));  // merges with both neighbours
    EXPECT_EQ(t.FreeList(), (std::vector<uint32_t>{p[1] - 4, p[5] - 4}));
    EXPECT_EQ(t.Tag(p[1] - 4), -(3 * 24 - 8));
    ASSERT_TRUE(t.heap.Free(p[0]));  // the first block merges only forwards
    EXPECT_EQ(t.Word(4), 8u);
    ASSERT_TRUE(t.heap.Free(p[4]));
    EXPECT_EQ(t.FreeList(), std::vector<uint32_t>{8});
    EXPECT_EQ(t.Tag(8), -102392) << "everything merged back into one block";
    EXPECT_TRUE(Checked(t.bytes.data(), 102408));
}

TEST(StoreHeap, FreeRefusesWhatIsNotABlockInUse) {
    TestHeap t(1024);
    const uint32_t a = t.heap.Allocate(32);
    const uint32_t b = t.heap.Allocate(32);
    ASSERT_TRUE(t.heap.Free(a));
    const std::vector<uint8_t> before = t.bytes;
    for (uint32_t wild : {0u, 8u, a, b + 1, b + 4, 1020u, 1024u, 0xFFFFFFFCu}) {
        SCOPED_TRACE(wild);
        EXPECT_FALSE(t.heap.Free(wild));
        EXPECT_EQ(t.bytes, before) << "a refused free changes nothing";
    }
    EXPECT_TRUE(t.heap.Free(b));
}

namespace {

// A heap of 256 bytes with blocks at 8 (used), 40 (free), 72 (used), 104 (free, last).
std::vector<uint8_t> SampleHeap() {
    TestHeap good(256);
    good.heap.Allocate(24);
    const uint32_t b = good.heap.Allocate(24);
    EXPECT_EQ(good.heap.Allocate(24), 76u);
    EXPECT_TRUE(good.heap.Free(b));
    EXPECT_EQ(good.FreeList(), (std::vector<uint32_t>{40, 104}));
    return good.bytes;
}

struct Damage {
    const char* what;
    uint32_t at;
    uint32_t value;
};
const Damage kDamages[] = {
    {"heap length", 0, 260},
    {"free head", 4, 104},
    {"zero tag", 8, 0},
    {"tag not a multiple of 4", 8, 26},
    {"block past the end", 72, 400},
    {"footer", 36, 28},
    {"tag below the minimum", 8, 4},
    {"free link forward", 44, 8},
    {"free link back", 112, 8},
    {"free list not closed", 108, 8},
    {"used block in the list", 4, 8},
    {"huge negative tag", 104, 0x80000000u},
};

}  // namespace

TEST(StoreHeap, CheckRejectsDamageAndRestoresTheLastFooter) {
    const std::vector<uint8_t> good = SampleHeap();
    for (const Damage& d : kDamages) {
        SCOPED_TRACE(d.what);
        std::vector<uint8_t> bytes = good;
        StoreWord(bytes.data() + d.at, d.value);
        EXPECT_FALSE(Checked(bytes.data(), 256));
    }
    std::vector<uint8_t> bytes = good;
    EXPECT_FALSE(Checked(bytes.data(), 252)) << "heap length differs from the room";
    EXPECT_FALSE(Checked(bytes.data(), 16)) << "smaller than a minimal heap";

    StoreWord(bytes.data() + 252, 0x12345678);  // where a saved file keeps its length word
    ASSERT_TRUE(Checked(bytes.data(), 256));
    EXPECT_EQ(bytes, good) << "the last footer is restored";
}

// A heap read from its file is walked piece by piece as the pieces arrive: wherever the pieces
// end (inside a tag, between a free block's links, before a footer), the verdict and the last tag
// are those of the heap walked whole.
TEST(HeapScan, PiecesOfAnySizeGiveTheVerdictOfTheWholeHeap) {
    std::vector<std::vector<uint8_t>> heaps{SampleHeap()};
    for (const Damage& d : kDamages) {
        heaps.push_back(heaps.front());
        StoreWord(heaps.back().data() + d.at, d.value);
    }
    for (size_t h = 0; h < heaps.size(); ++h) {
        const std::vector<uint8_t>& heap = heaps[h];
        HeapScan whole(256);
        int32_t wholeTag = 0;
        const bool wholeSound = whole.Feed(heap.data(), 0, 256) && whole.Finish(wholeTag);
        EXPECT_EQ(wholeSound, h == 0);
        for (uint32_t piece : {4u, 8u, 12u, 36u, 100u, 252u}) {
            SCOPED_TRACE(testing::Message() << "heap " << h << ", pieces of " << piece);
            HeapScan scan(256);
            bool fed = true;
            for (uint32_t at = 0; at < 256 && fed; at += piece)
                fed = scan.Feed(heap.data() + at, at, std::min(piece, 256 - at));
            int32_t tag = 0;
            EXPECT_EQ(fed && scan.Finish(tag), wholeSound);
            EXPECT_EQ(tag, wholeSound ? wholeTag : 0);
        }
    }
}

TEST(HeapScan, AHeapFedWithAGapOrNotToItsEndIsRefused) {
    const std::vector<uint8_t> heap = SampleHeap();
    int32_t tag = 0;
    HeapScan gap(256);
    EXPECT_TRUE(gap.Feed(heap.data(), 0, 64));
    EXPECT_FALSE(gap.Feed(heap.data() + 128, 128, 128)) << "the bytes 64 to 128 were never fed";
    EXPECT_FALSE(gap.Finish(tag));
    HeapScan part(256);
    EXPECT_TRUE(part.Feed(heap.data(), 0, 100));
    EXPECT_FALSE(part.Finish(tag)) << "the last block was not reached";
}

// Random allocations and frees against a model of the live blocks: blocks never overlap, their
// contents survive the heap's own bookkeeping, and the heap stays well-formed throughout. The room
// allows one growth, and the run goes on until allocations fail in the grown heap.
TEST(StoreHeap, RandomUseKeepsBlocksIntactAndTheHeapWellFormed) {
    TestHeap t(8192, kMinGrowth);
    std::mt19937 random(12345);
    std::map<uint32_t, std::pair<uint32_t, uint8_t>> live;  // payload -> (size, fill)
    for (int step = 0; step < 2500; ++step) {
        if (live.empty() || random() % 3 != 0) {
            const uint32_t size = random() % 300;
            uint32_t payload = t.heap.Allocate(size);
            if (payload == 0 && t.heap.Length() + StoreHeap::GrowthFor(size) <= t.bytes.size()) {
                ASSERT_TRUE(t.heap.Extend(static_cast<uint32_t>(StoreHeap::GrowthFor(size))));
                payload = t.heap.Allocate(size);
            }
            if (payload == 0) continue;
            ASSERT_GE(t.heap.BlockSize(payload), size);
            const auto fill = static_cast<uint8_t>(step);
            std::fill_n(t.bytes.data() + payload, t.heap.BlockSize(payload), fill);
            live[payload] = {t.heap.BlockSize(payload), fill};
        } else {
            auto it = std::next(live.begin(), random() % live.size());
            const auto [size, fill] = it->second;
            for (uint32_t i = 0; i < size; ++i) ASSERT_EQ(t.bytes[it->first + i], fill) << "block damaged";
            ASSERT_TRUE(t.heap.Free(it->first));
            live.erase(it);
        }
        ASSERT_TRUE(Checked(t.bytes.data(), t.heap.Length())) << "step " << step;
        uint32_t end = 0;
        for (const auto& [payload, block] : live) {
            ASSERT_GE(payload, end) << "blocks overlap";
            end = payload + block.first;
        }
    }
    const StoreHeap::Stats stats = t.heap.Walk();
    EXPECT_EQ(stats.usedBlocks, live.size());
    EXPECT_EQ(stats.usedBytes + stats.freeBytes + 8u * (stats.usedBlocks + stats.freeBlocks) + 8u,
              t.heap.Length());
}

// A request that no free block can take fails (and the heap learns how large its free blocks are
// at most); a block freed afterwards, alone or merged with its neighbours, is found again.
TEST(StoreHeap, AFailedRequestDoesNotHideBlocksFreedLater) {
    TestHeap t(1000);
    const uint32_t a = t.heap.Allocate(300);
    const uint32_t b = t.heap.Allocate(300);
    const uint32_t c = t.heap.Allocate(200);
    ASSERT_NE(a * b * c, 0u);
    EXPECT_EQ(t.heap.Allocate(400), 0u) << "the rest is smaller";
    ASSERT_TRUE(t.heap.Free(b));
    EXPECT_EQ(t.heap.Allocate(300), b) << "the freed block fits a request the failed walk could not";
    ASSERT_TRUE(t.heap.Free(a));
    ASSERT_TRUE(t.heap.Free(b));
    EXPECT_EQ(t.heap.Allocate(600), a) << "two freed neighbours merged";
}
