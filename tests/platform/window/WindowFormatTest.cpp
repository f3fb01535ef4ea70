// The byte layouts of the window system: frames, window entries, the message-name table and the
// handle counter, including damaged bytes.
#include <gtest/gtest.h>

#include "platform/window/MessageTable.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowDirectory.h"
#include "platform/window/WindowEntry.h"
#include "platform/window/WindowFormat.h"
#include "platform/window/WireFrame.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

using plat::winfmt::FrameKind;
using Bytes = std::vector<uint8_t>;

Bytes FrameBytes(FrameKind kind, uint32_t message, Bytes payload) {
    return plat::EncodeFrame(plat::WireFrame{kind, 0x01020304, 0x00010008, message, 0xA1A2A3A4, 0xFFFFFFFE, payload});
}

// The bytes with one byte changed.
Bytes With(Bytes bytes, size_t at, uint8_t value) {
    bytes.at(at) = value;
    return bytes;
}

TEST(WireFrame, HeaderFieldsSitAtTheirOffsets) {
    const Bytes bytes = FrameBytes(FrameKind::Send, plat::WM_COPYDATA, {0xDE, 0xAD});
    const Bytes expected = {'B', 'W', 'F', '1', 2, 0, 0, 0, 4, 3, 2, 1, 8, 0, 1, 0, 0x4A, 0, 0, 0,
                            0xA4, 0xA3, 0xA2, 0xA1, 0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 0xDE, 0xAD};
    EXPECT_EQ(bytes, expected);

    plat::WireFrame decoded;
    size_t consumed = 0;
    ASSERT_EQ(plat::DecodeFrame(bytes, decoded, consumed), plat::FrameParse::Complete);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(plat::EncodeFrame(decoded), bytes);  // every field read back
}

TEST(WireFrame, DamagedOrIncompleteBytesAreNeverTakenForAFrame) {
    const Bytes post = FrameBytes(FrameKind::Post, plat::WM_USER, {});
    Bytes postWithPayload = With(post, plat::winfmt::kFramePayloadAt, 1);
    postWithPayload.push_back(0);

    const struct {
        const char* what;
        Bytes bytes;
        plat::FrameParse expected;
    } cases[] = {
        {"header cut", Bytes(post.begin(), post.begin() + 31), plat::FrameParse::NeedMore},
        {"wrong magic", With(post, 0, 'X'), plat::FrameParse::Bad},
        {"kind 5", With(post, plat::winfmt::kFrameKindAt, 5), plat::FrameParse::Bad},
        {"payload of 32 MiB, over the limit",
         With(FrameBytes(FrameKind::Send, plat::WM_COPYDATA, {}), plat::winfmt::kFramePayloadAt + 3, 2), plat::FrameParse::Bad},
        {"payload on a post", postWithPayload, plat::FrameParse::Bad},
    };
    for (const auto& c : cases) {
        plat::WireFrame frame;
        size_t consumed = 0;
        EXPECT_EQ(plat::DecodeFrame(c.bytes, frame, consumed), c.expected) << c.what;
    }
}

TEST(WindowEntry, LayoutAndDamagedEntries) {
    const plat::WindowEntry entry{0x00010004, {4321, 0x0102030405060708ull}, true, u"AB"};
    const Bytes bytes = plat::EncodeWindowEntry(entry);
    const Bytes expected = {'B', 'W', 'N', '1', 4, 0, 1, 0, 0xE1, 0x10, 0, 0, 1, 0, 0, 0,
                            8, 7, 6, 5, 4, 3, 2, 1, 2, 0, 'A', 0, 'B', 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(plat::DecodeWindowEntry(bytes), entry);

    const Bytes damaged[] = {
        Bytes(bytes.begin(), bytes.end() - 1),    // cut inside the class name
        With(bytes, 0, 'X'),                             // magic
        With(bytes, plat::winfmt::kEntryFlagsAt, 3),     // unknown flag
        With(bytes, plat::winfmt::kEntryClassLengthAt, 0),
        With(bytes, plat::winfmt::kEntryClassLengthAt + 1, 2),  // 513 units
    };
    for (size_t i = 0; i < std::size(damaged); ++i) EXPECT_FALSE(plat::DecodeWindowEntry(damaged[i])) << i;
}

class WindowFolderTest : public ::testing::Test {
protected:
    TempDevice device_;
    plat::WindowDirectory directory_{device_.Device().NamespaceDir()};
    std::filesystem::path Folder() const { return directory_.Folder(); }
};

TEST_F(WindowFolderTest, MessageNamesGetOneNumberEachWithoutRegardToCase) {
    const uint32_t first = plat::RegisterMessageName(Folder(), u"PimSyncSlaveReload");
    const uint32_t second = plat::RegisterMessageName(Folder(), u"Another");
    EXPECT_EQ(first, 0xC000u);
    EXPECT_EQ(second, 0xC001u);
    EXPECT_EQ(plat::RegisterMessageName(Folder(), u"pimsyncslavereload"), first);
    const Bytes expected = {'B', 'W', 'M', 'S', 'G', 'S', '1', 0, 18, 0};
    const Bytes file = ReadHostBytes(Folder() / "messages");
    ASSERT_GE(file.size(), expected.size());
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 10), expected);
    EXPECT_EQ(plat::DecodeMessageTable(file)->at(1), u"Another");

    EXPECT_EQ(plat::RegisterMessageName(Folder(), std::u16string(256, u'x')), 0u);
    EXPECT_NE(plat::RegisterMessageName(Folder(), std::u16string(255, u'x')), 0u);
}

TEST_F(WindowFolderTest, ADamagedTableIsReportedAndLeftAsItIs) {
    const Bytes cases[] = {
        {'B', 'W', 'M', 'S', 'G', 'S', '1', 0, 3, 0, 'a', 0},  // a name cut short
        {'B', 'W', 'M', 'S', 'G', 'S', '2', 0},                // foreign magic
        {'B', 'W', 'M', 'S', 'G', 'S', '1', 0, 0, 0},          // empty name
    };
    for (const Bytes& damaged : cases) {
        WriteHostFile(Folder() / "messages", damaged);
        EXPECT_EQ(plat::RegisterMessageName(Folder(), u"Name"), 0u);
        EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_CORRUPT);
        EXPECT_EQ(ReadHostBytes(Folder() / "messages"), damaged);
    }
}

TEST_F(WindowFolderTest, HandlesStepByFourAndACounterThatIsDamagedStartsAboveTheListedOnes) {
    const plat::HWND first = directory_.AllocateHandle();
    EXPECT_EQ(first, plat::winfmt::kFirstHandle);
    EXPECT_EQ(directory_.AllocateHandle(), first + 4);
    EXPECT_EQ(ReadHostBytes(Folder() / "handles"), (Bytes{4, 0, 1, 0}));

    // A listed window far above the counter, and a counter file cut to three bytes.
    ASSERT_TRUE(directory_.Publish(plat::WindowEntry{0x00020000, plat::CurrentProcess(), true, u"X"}));
    WriteHostFile(Folder() / "handles", {4, 0, 1});
    EXPECT_EQ(directory_.AllocateHandle(), 0x00020004u);
    // A counter that points just below a listed handle skips it.
    WriteHostFile(Folder() / "handles", {0xFC, 0xFF, 1, 0});
    EXPECT_EQ(directory_.AllocateHandle(), 0x00020004u);
    // The counter wraps round to the first handle instead of reaching 0.
    WriteHostFile(Folder() / "handles", {0xFC, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(directory_.AllocateHandle(), plat::winfmt::kFirstHandle);
}

}  // namespace
