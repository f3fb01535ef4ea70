#include "index/props/PropsStore.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "index/format/Words.h"
#include "index/mapped/FileBytes.h"
#include "index/props/PropsFormat.h"
#include "store/contact/ContactCustProps.h"
#include "store/contact/CustPropsCodec.h"
#include "support/TempDevice.h"

using namespace PropsFormat;

namespace {

// A record of `length` bytes whose bytes count up, so a misplaced piece shows.
std::vector<uint8_t> Pattern(uint32_t length, uint8_t seed = 1) {
    std::vector<uint8_t> bytes(length);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

uint64_t ChunksInUse(const PropsStore& store) {
    return (store.Pool().HighWater() - kPoolHeaderBytes) / kChunkBytes - store.Pool().FreeCount();
}

// A device with a new, empty store.
class PropsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Create(0)); }

    TempDevice device;
    PropsStore store;
};

}  // namespace

TEST_F(PropsStoreTest, RecordsTakeChunksByLength) {
    const struct { uint32_t length; uint64_t chunks; } cases[] = {
        {0, 1}, {112, 1}, {113, 2}, {236, 2}, {237, 3}, {1000, 9}};
    for (const auto& c : cases) {
        const uint64_t before = ChunksInUse(store);
        const std::vector<uint8_t> record = Pattern(c.length);
        const uint32_t slot = store.AddEncoded(record);
        ASSERT_NE(slot, 0u);
        EXPECT_EQ(ChunksInUse(store) - before, c.chunks) << c.length;
        std::vector<uint8_t> back;
        ASSERT_TRUE(store.ReadEncoded(slot, back));
        EXPECT_EQ(back, record) << c.length;
    }
}

TEST_F(PropsStoreTest, NewStoreAndFirstSlotAreByteExact) {
    const uint8_t* image = store.File().Image();
    // Seven header words, four of volume identifier, the position's two, the checksum; the pool.
    const uint32_t header[] = {1, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0};
    for (uint32_t i = 0; i < std::size(header); ++i) EXPECT_EQ(LoadWord(image + 4 * i), header[i]) << i;

    const uint32_t slot = store.AddRecord(ContactCustProps{});
    ASSERT_EQ(slot, 68u) << "the first chunk sits right after the pool header";
    EXPECT_EQ(LoadWord(image + kFirstSlotAt), 68u);
    EXPECT_EQ(LoadWord(image + kSlotCountAt), 1u);
    EXPECT_EQ(LoadWord(image + kPoolAt + kPoolHighWaterAt), 12u + 128u);
    EXPECT_EQ(LoadWord(image + slot + kChainNextAt), 0u);
    EXPECT_EQ(LoadWord(image + slot + kRecordLengthAt), 56u);
    EXPECT_EQ(LoadWord(image + slot + kSlotPrevAt), slot) << "a single slot links to itself";
    EXPECT_EQ(LoadWord(image + slot + kSlotNextAt), slot);
    // The record of a contact without further values: 56 bytes, all nine sections empty.
    const uint8_t* record = image + slot + kFirstDataAt;
    EXPECT_EQ(LoadWord(record), 56u);
    for (uint32_t s = 0; s < 9; ++s) EXPECT_EQ(LoadWord(record + 20 + 4 * s), 56u) << s;
}

TEST_F(PropsStoreTest, SlotListKeepsInsertionOrderThroughRemovals) {
    const uint32_t a = store.AddEncoded(Pattern(10, 1));
    const uint32_t b = store.AddEncoded(Pattern(200, 2));
    const uint32_t c = store.AddEncoded(Pattern(20, 3));
    EXPECT_EQ(store.FirstSlot(), a);
    EXPECT_EQ(store.NextSlot(a), b);
    EXPECT_EQ(store.NextSlot(c), a) << "the list is circular";

    ASSERT_TRUE(store.RemoveRecord(a));
    EXPECT_EQ(store.SlotCount(), 2u);
    EXPECT_EQ(store.FirstSlot(), b);
    EXPECT_EQ(store.NextSlot(c), b);
    EXPECT_FALSE(store.RemoveRecord(a)) << "a removed slot is no slot";
    EXPECT_FALSE(store.RemoveRecord(b + 4)) << "an offset inside a chunk is no slot";

    std::vector<uint8_t> back;
    ASSERT_TRUE(store.ReadEncoded(b, back));
    EXPECT_EQ(back, Pattern(200, 2));
    const uint32_t d = store.AddEncoded(Pattern(30, 4));
    EXPECT_EQ(d, a) << "the freed chunk is reused";
    EXPECT_EQ(store.NextSlot(c), d) << "a new slot goes at the end";
    ASSERT_TRUE(store.RemoveRecord(b));
    ASSERT_TRUE(store.RemoveRecord(c));
    ASSERT_TRUE(store.RemoveRecord(d));
    EXPECT_EQ(store.SlotCount(), 0u);
    EXPECT_EQ(store.FirstSlot(), 0u);
    EXPECT_EQ(ChunksInUse(store), 0u);
}

TEST_F(PropsStoreTest, UpdateRewritesInPlaceAndReturnsOrTakesChunks) {
    const uint32_t slot = store.AddEncoded(Pattern(300, 5));
    const uint32_t after = store.AddEncoded(Pattern(40, 6));
    const uint64_t before = store.Pool().Available();
    ASSERT_TRUE(store.UpdateEncoded(slot, Pattern(100, 7)));
    EXPECT_EQ(store.Pool().Available() - before, 2u) << "300 to 100 bytes gives two chunks back";
    std::vector<uint8_t> back;
    ASSERT_TRUE(store.ReadEncoded(slot, back));
    EXPECT_EQ(back, Pattern(100, 7));

    ASSERT_TRUE(store.UpdateEncoded(slot, Pattern(500, 8)));
    ASSERT_TRUE(store.ReadEncoded(slot, back));
    EXPECT_EQ(back, Pattern(500, 8));
    ASSERT_TRUE(store.ReadEncoded(after, back));
    EXPECT_EQ(back, Pattern(40, 6)) << "the neighbour is untouched";
    EXPECT_EQ(store.FirstSlot(), slot) << "an update keeps the slot and its place";
}

TEST_F(PropsStoreTest, GrowsByOnePercentAndKeepsRecords) {
    const uint32_t start = store.File().Length();
    std::vector<uint32_t> slots;
    for (uint32_t i = 0; i < 400; ++i) {
        slots.push_back(store.AddEncoded(Pattern(60 + i % 300, static_cast<uint8_t>(i))));
        ASSERT_NE(slots.back(), 0u);
    }
    EXPECT_GT(store.File().Length(), start);
    EXPECT_LT(store.File().Length(), start + 400u * 4 * 128) << "growth is near what is needed";
    for (uint32_t i = 0; i < slots.size(); ++i) {
        std::vector<uint8_t> back;
        ASSERT_TRUE(store.ReadEncoded(slots[i], back));
        ASSERT_EQ(back, Pattern(60 + i % 300, static_cast<uint8_t>(i))) << i;
    }
}

TEST_F(PropsStoreTest, ValuesSurviveSaveAndReopen) {
    ContactCustProps values;
    values.phones.Add(CustText{u"Boat", u"+44 20 7946 0000"});
    values.addresses.Add(CustAddress{7, u"Cottage", u"Lane 1", u"Bath", u"", u"BA1", u"UK"});
    values.dates.Add(CustDate{u"Met", 0x01D0000000000000ull});
    values.fourthFormat = 0x2A;
    const uint32_t slot = store.AddRecord(values);
    store.SetDatabaseTime(0x11223344, 0x55667788);
    ASSERT_TRUE(store.Save());
    store.File().WaitSave();
    ASSERT_EQ(store.File().LastSave(), SaveState::Saved);
    store.Close();

    ASSERT_TRUE(store.Open(true));
    ContactCustProps back;
    ASSERT_TRUE(store.ReadRecord(slot, back));
    EXPECT_TRUE(back.Equals(values));
    EXPECT_EQ(store.GetRecordWord(slot), 0x2Au);
    EXPECT_EQ(store.DatabaseTime(), 0x5566778811223344ull);
    EXPECT_TRUE(store.IsNeedInspect(0x5566778811223344ull, 2, true)) << "the count changed";
}

// Damaged images are refused at open, whatever the check flag: each case changes one word of a
// saved store of three slots.
TEST_F(PropsStoreTest, DamagedImagesAreRefused) {
    uint32_t slots[3];
    for (uint32_t i = 0; i < 3; ++i) slots[i] = store.AddEncoded(Pattern(150 * (i + 1)));
    const std::vector<uint8_t> image(store.File().Image(), store.File().Image() + store.File().Length());
    store.Close();
    const struct {
        const char* what;
        uint32_t at;
        uint32_t value;
    } cases[] = {
        {"magic", kMagicAt, 2},
        {"unknown version", kVersionAt, 7},
        {"version 5 with the pool of version 6", kVersionAt, 5},
        {"slot count too high", kSlotCountAt, 4},
        {"first slot not a chunk", kFirstSlotAt, 44},
        {"high-water mark past the image", kPoolAt + kPoolHighWaterAt, 0x7FFFFF00},
        {"high-water mark off the chunk grid", kPoolAt + kPoolHighWaterAt, 12 + 128 * 9 + 4},
        {"free count without free list", kPoolAt + kPoolFreeCountAt, 1},
        {"broken slot ring", slots[1] + kSlotNextAt, slots[0]},
        {"chain into the header", slots[1] + kChainNextAt, 8},
        {"record longer than its chain", slots[0] + kRecordLengthAt, 400},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> damaged = image;
        StoreWord(damaged.data() + c.at, c.value);
        WriteBytes(device.Host(u"\\pim_index2.dat"), SealImage(damaged));
        PropsStore damagedStore;
        EXPECT_FALSE(damagedStore.Open(false)) << c.what;
    }
    WriteBytes(device.Host(u"\\pim_index2.dat"), SealImage(image));
    EXPECT_TRUE(store.Open(true)) << "the undamaged image opens";
}

// The journal position and the checksum of the pim_index1.dat it was saved with are kept at their
// bytes through a save and a reopen.
TEST_F(PropsStoreTest, JournalPositionIsKeptAtItsBytes) {
    JournalPosition position;
    for (uint8_t i = 0; i < 16; ++i) position.volume[i] = static_cast<uint8_t>(0xA0 + i);
    position.seq = 0x0000000123456789;
    store.SetPosition(position);
    store.SetWordsChecksum(0xCAFEF00D);
    ASSERT_TRUE(store.File().SaveNow());
    store.Close();

    const std::vector<uint8_t> file = ReadBytes(device.Host(u"\\pim_index2.dat"));
    ASSERT_GE(file.size(), 56u);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(file[kVolumeAt + i], 0xA0 + i) << i;
    EXPECT_EQ(LoadWord(file.data() + kPositionLowAt), 0x23456789u);
    EXPECT_EQ(LoadWord(file.data() + kPositionHighAt), 0x1u);
    EXPECT_EQ(LoadWord(file.data() + kWordsChecksumAt), 0xCAFEF00Du);

    ASSERT_TRUE(store.Open(true));
    EXPECT_EQ(store.Position(), position);
    EXPECT_EQ(store.WordsChecksum(), 0xCAFEF00Du);
    EXPECT_NE(store.File().FileChecksum(), 0u) << "the checksum of the file read names it";
}

// A store of version 5 (no position, pool at 28) is still read and written as it is: it reports
// no position and takes none, so its index is checked against the database as before.
TEST_F(PropsStoreTest, VersionFiveIsReadAndKeptWithoutPosition) {
    std::vector<uint8_t> image(1024, 0);
    const uint32_t words[] = {1, 5, 0x11, 0x22, 0, 40, 1, /* pool */ 0, 12 + 128, 0};
    for (uint32_t i = 0; i < std::size(words); ++i) StoreWord(image.data() + 4 * i, words[i]);
    const std::vector<uint8_t> record = Pattern(30);
    StoreWord(image.data() + 40 + kRecordLengthAt, 30);
    StoreWord(image.data() + 40 + kSlotPrevAt, 40);
    StoreWord(image.data() + 40 + kSlotNextAt, 40);
    std::copy(record.begin(), record.end(), image.begin() + 40 + kFirstDataAt);
    store.Close();
    WriteBytes(device.Host(u"\\pim_index2.dat"), SealImage(image));

    ASSERT_TRUE(store.Open(true));
    std::vector<uint8_t> back;
    ASSERT_TRUE(store.ReadEncoded(40, back));
    EXPECT_EQ(back, record);
    EXPECT_EQ(store.DatabaseTime(), 0x0000002200000011ull);
    JournalPosition position;
    position.volume[0] = 1;
    store.SetPosition(position);
    store.SetWordsChecksum(7);
    EXPECT_FALSE(store.Position().Known());
    EXPECT_EQ(store.WordsChecksum(), 0u);
    const uint32_t added = store.AddEncoded(Pattern(200, 9));
    EXPECT_EQ(added, 40u + 128u) << "chunks follow the pool of version 5";
    ASSERT_TRUE(store.File().SaveNow());
    store.Close();
    const std::vector<uint8_t> file = ReadBytes(device.Host(u"\\pim_index2.dat"));
    EXPECT_EQ(LoadWord(file.data() + kVersionAt), 5u);
    EXPECT_EQ(LoadWord(file.data() + 40 + kFirstDataAt), LoadWord(record.data())) << "nothing moved";
    ASSERT_TRUE(store.Open(true));
    ASSERT_TRUE(store.ReadEncoded(added, back));
    EXPECT_EQ(back, Pattern(200, 9));
}
