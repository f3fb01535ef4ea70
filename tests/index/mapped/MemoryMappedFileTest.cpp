#include "index/mapped/MemoryMappedFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

#include "index/format/Words.h"
#include "index/mapped/FileBytes.h"
#include "platform/shm/PipeSignal.h"
#include "support/ChildProcesses.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

constexpr char16_t kPath[] = u"\\test_image.dat";
constexpr uint64_t kSmallView = 64 * 1024;  // images up to 65528 bytes

void Fill(MemoryMappedFile& file, uint8_t seed) {
    for (uint32_t i = 0; i < file.Length(); ++i) file.Image()[i] = static_cast<uint8_t>(seed + i * 7);
}

std::vector<uint8_t> ImageOf(const MemoryMappedFile& file) {
    return {file.Image(), file.Image() + file.Length()};
}

bool SaveAndWait(MemoryMappedFile& file) {
    if (!file.StartSave()) return false;
    file.WaitSave();
    return file.LastSave() == SaveState::Saved;
}

}  // namespace

TEST(MemoryMappedFile, NewImageLengthFollowsTheRequest) {
    TempDevice device;
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 10284}, {10240, 10284}, {10241, 10288}, {102401, 102448}};
    for (const auto& [request, length] : cases) {
        MemoryMappedFile file;
        ASSERT_TRUE(file.Create(kPath, request)) << request;
        EXPECT_EQ(file.Length(), length) << request;
        EXPECT_FALSE(file.IsShared());
        EXPECT_EQ(std::count(file.Image(), file.Image() + length, 0), length) << "zero-filled";
    }
}

// In the background from a snapshot, or at once from the image itself: the same file.
TEST(MemoryMappedFile, SaveWritesTheFileFormatAndTheFileReopensToTheSameImage) {
    for (const bool now : {false, true}) {
        SCOPED_TRACE(now ? "saved now" : "saved in the background");
        TempDevice device;
        std::atomic<int> saved{0};
        MemoryMappedFile file;
        ASSERT_TRUE(file.Create(kPath, 1000));
        Fill(file, 3);
        file.SetSaveCallback([](uint8_t* image, uint32_t length) {
            EXPECT_EQ(length, 10284u);
            StoreWord(image + 8, 0xC0FFEE);  // stamped before the snapshot, so it is in the file
        });
        file.SetSavedCallback([&] { ++saved; });
        ASSERT_TRUE(now ? file.SaveNow() : SaveAndWait(file));
        EXPECT_EQ(saved, 1);
        EXPECT_NE(LoadWord(file.Image() + 10280), 10288u) << "the live image keeps its last word";
        const std::vector<uint8_t> live = ImageOf(file);
        EXPECT_EQ(LoadWord(live.data() + 8), 0xC0FFEEu);

        const std::vector<uint8_t> bytes = ReadBytes(device.Host(kPath));
        ASSERT_EQ(bytes.size(), 10288u);
        EXPECT_EQ(bytes, SealImage(live));
        EXPECT_EQ(LoadWord(bytes.data() + 10280), 10288u) << "the length word sits at L - 8";

        file.Close();
        MemoryMappedFile reopened;
        ASSERT_TRUE(reopened.Open(kPath));
        EXPECT_FALSE(reopened.IsShared());
        ASSERT_EQ(reopened.Length(), 10284u);
        EXPECT_TRUE(std::equal(live.begin(), live.end() - 4, reopened.Image()));
        EXPECT_EQ(LoadWord(reopened.Image() + 10280), 10288u);
    }
}

TEST(MemoryMappedFile, OpenRejectsDamagedAndForeignFiles) {
    TempDevice device;
    std::vector<uint8_t> image(64);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i);
    const std::vector<uint8_t> good = SealImage(image);
    auto with = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    const std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\nEND:VCARD\r\n";
    std::vector<uint8_t> lengthAtEnd(image);  // the length word in the file's last four bytes
    lengthAtEnd.resize(68);
    StoreWord(lengthAtEnd.data() + 64, 68);

    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"zero-length", {}},
        {"seven bytes", {7, 0, 0, 0, 0, 0, 0}},
        {"length word at L - 4", lengthAtEnd},
        {"wrong length word", with([](auto& b) { StoreWord(b.data() + 60, 72); })},
        {"flipped byte", with([](auto& b) { b[17] ^= 0x20; })},
        {"truncated by a byte", with([](auto& b) { b.resize(67); })},
        {"one word appended", with([](auto& b) { b.resize(72); })},
        {"foreign", {text.begin(), text.end()}},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        WriteBytes(device.Host(kPath), bytes);
        MemoryMappedFile file;
        EXPECT_FALSE(file.Open(kPath));
        EXPECT_EQ(file.LastError(), MappedError::Damaged);
        EXPECT_FALSE(file.IsOpen());
    }

    std::vector<uint8_t> big(kSmallView);
    WriteBytes(device.Host(kPath), SealImage(big));
    MemoryMappedFile small(kSmallView);
    EXPECT_FALSE(small.Open(kPath)) << "larger than the view";

    fs::remove(device.Host(kPath));
    EXPECT_FALSE(small.Open(kPath));
    EXPECT_EQ(small.LastError(), MappedError::Missing);
    fs::create_directory(device.Host(kPath));
    EXPECT_FALSE(small.Open(kPath));
    EXPECT_EQ(small.LastError(), MappedError::Missing);
}

// A file is read in pieces of 256 KiB: images ending just before, at and after a piece boundary
// (the checksum in a piece of its own) reach the check byte for byte, and the image is writable
// once opened. A refused image is not kept: the next opener reads the file again.
// The piece check sees the file's image bytes once, in order, wherever the pieces and the seal
// (whose two words may lie in different pieces) fall; the whole-image check sees the same bytes.
TEST(MemoryMappedFile, TheChecksSeeTheFileAsLoadedAndARefusalLeavesNoImage) {
    constexpr uint32_t kPiece = 256 * 1024;
    for (const uint32_t length : {kPiece - 8, kPiece - 4, kPiece, kPiece + 4, 2 * kPiece + 60}) {
        SCOPED_TRACE(length);
        TempDevice device;
        std::vector<uint8_t> image(length);
        for (uint32_t i = 0; i < length; ++i) image[i] = static_cast<uint8_t>(i * 13 + i / 251);
        const std::vector<uint8_t> sealed = SealImage(image);
        WriteBytes(device.Host(kPath), sealed);
        const std::vector<uint8_t> expected(sealed.begin(), sealed.end() - 4);

        int checks = 0;
        MemoryMappedFile refused;
        EXPECT_FALSE(refused.Open(kPath, [&](const uint8_t* seen, uint32_t seenLength) {
            ++checks;
            return seenLength == length && std::equal(expected.begin(), expected.end(), seen) && false;
        }));
        EXPECT_EQ(refused.LastError(), MappedError::Damaged);
        EXPECT_FALSE(refused.IsOpen());

        // Refuses the image's second piece, which only an image longer than a piece has.
        MemoryMappedFile pieceRefused;
        const bool opened = pieceRefused.Open(
            kPath, {}, 0, [&](const uint8_t*, uint32_t at, uint32_t, uint32_t) { return at < kPiece; });
        EXPECT_EQ(opened, length <= kPiece);
        EXPECT_EQ(pieceRefused.LastError(), opened ? MappedError::None : MappedError::Damaged);
        pieceRefused.Close();

        std::vector<uint8_t> streamed;
        const auto pieces = [&](const uint8_t* piece, uint32_t at, uint32_t size, uint32_t seenLength) {
            const bool inTurn = at == streamed.size() && seenLength == length;
            streamed.insert(streamed.end(), piece, piece + size);
            return inTurn;
        };
        MemoryMappedFile file;
        ASSERT_TRUE(file.Open(
            kPath,
            [&](const uint8_t* seen, uint32_t seenLength) {
                ++checks;
                return seenLength == length && std::equal(expected.begin(), expected.end(), seen);
            },
            0, pieces));
        EXPECT_EQ(checks, 2);
        EXPECT_EQ(streamed, expected);
        EXPECT_FALSE(file.IsShared()) << "the refused image was let go, so the file was read again";
        file.Image()[length - 1] = 0x5A;
        file.Image()[0] = 0xA5;
        MemoryMappedFile live;
        ASSERT_TRUE(live.Open(kPath));
        EXPECT_TRUE(live.IsShared());
        EXPECT_EQ(live.Image()[length - 1], 0x5A);
        EXPECT_EQ(live.Image()[0], 0xA5);
    }
}

TEST(MemoryMappedFile, CreateRefusesALiveImageAndKeepsItsFile) {
    TempDevice device;
    MemoryMappedFile holder;
    ASSERT_TRUE(holder.Create(kPath, 0));
    Fill(holder, 1);
    ASSERT_TRUE(SaveAndWait(holder));
    const std::vector<uint8_t> saved = ReadBytes(device.Host(kPath));

    MemoryMappedFile other;
    EXPECT_FALSE(other.Create(kPath, 0));
    EXPECT_EQ(other.LastError(), MappedError::InUse);
    EXPECT_EQ(ReadBytes(device.Host(kPath)), saved) << "the holder's file is not deleted";

    holder.Close();
    ASSERT_TRUE(other.Create(kPath, 0));
    EXPECT_FALSE(fs::exists(device.Host(kPath))) << "a new image makes the old file obsolete";
}

TEST(MemoryMappedFile, AnotherProcessSharesTheLiveImage) {
    TempDevice device;
    PipeSignal created, changed;
    const auto codes = RunInChildren(2, [&](int index) {
        MemoryMappedFile file;
        if (index == 0) {
            if (!file.Create(kPath, 0)) return 1;
            std::memcpy(file.Image() + 100, "from one", 8);
            created.Post();
            if (!changed.Wait()) return 2;
            return file.Length() == 40000 && file.Image()[39999] == 2 ? 0 : 3;
        }
        if (!created.Wait()) return 1;
        // Raising the used length to the minimum asked for is seen by the other process too.
        if (!file.Open(kPath, {}, 40000) || !file.IsShared()) return 2;
        const bool sees = std::memcmp(file.Image() + 100, "from one", 8) == 0 &&
                          !fs::exists(device.Host(kPath));
        file.Image()[39999] = 2;
        changed.Post();
        return sees ? 0 : 4;
    });
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
}

TEST(MemoryMappedFile, GrowCommitsUpToTheViewAndFailsCleanlyBeyond) {
    TempDevice device;
    MemoryMappedFile file(kSmallView);
    ASSERT_TRUE(file.Create(kPath, 0));
    EXPECT_EQ(file.MaxLength(), 65528u);
    ASSERT_TRUE(file.Grow(30000));
    EXPECT_EQ(file.Length(), 30000u);
    file.Image()[29999] = 1;
    EXPECT_TRUE(file.Grow(100)) << "never shrinks";
    EXPECT_EQ(file.Length(), 30000u);
    EXPECT_FALSE(file.Grow(65532));
    EXPECT_EQ(file.LastError(), MappedError::TooLarge);
    EXPECT_EQ(file.Length(), 30000u);
    ASSERT_TRUE(file.Grow(65528));
    file.Image()[65527] = 1;
    ASSERT_TRUE(SaveAndWait(file));
    EXPECT_EQ(fs::file_size(device.Host(kPath)), 65532u);
}

TEST(MemoryMappedFile, SaveWritesTheSnapshotAndNeverLeavesATornFile) {
    TempDevice device;
    MemoryMappedFile file;
    ASSERT_TRUE(file.Create(kPath, 0));
    ASSERT_TRUE(file.Grow(4 << 20));
    Fill(file, 1);
    ASSERT_TRUE(SaveAndWait(file));
    const std::vector<uint8_t> first = ReadBytes(device.Host(kPath));

    // Changes after the snapshot are not in this save.
    ASSERT_TRUE(file.StartSave());
    Fill(file, 2);
    file.WaitSave();
    EXPECT_EQ(ReadBytes(device.Host(kPath)), first);

    // A save cancelled at any point leaves the previous file or the complete new one.
    const std::vector<uint8_t> second = SealImage(ImageOf(file));
    ASSERT_TRUE(file.StartSave());
    file.CancelSave();
    file.WaitSave();
    const SaveState state = file.LastSave();
    EXPECT_TRUE(state == SaveState::Cancelled || state == SaveState::Saved);
    EXPECT_EQ(ReadBytes(device.Host(kPath)), state == SaveState::Saved ? second : first);
    EXPECT_FALSE(fs::exists(device.Host(u"\\test_image.dat.tmp")));

    // Saved at once, in large pieces, the whole image is there.
    Fill(file, 3);
    ASSERT_TRUE(file.SaveNow());
    EXPECT_EQ(ReadBytes(device.Host(kPath)), SealImage(ImageOf(file)));
}

TEST(MemoryMappedFile, FailedSaveKeepsTheFileAndReportsIt) {
    TempDevice device;
    std::atomic<int> saved{0};
    MemoryMappedFile file;
    ASSERT_TRUE(file.Create(kPath, 0));
    file.SetSavedCallback([&] { ++saved; });
    fs::create_directory(device.Host(kPath));  // the target cannot be replaced
    ASSERT_TRUE(file.StartSave());
    file.WaitSave();
    EXPECT_EQ(file.LastSave(), SaveState::Failed);
    EXPECT_FALSE(file.SaveNow());
    EXPECT_EQ(file.LastSave(), SaveState::Failed);
    EXPECT_EQ(saved, 0);
    EXPECT_TRUE(fs::is_directory(device.Host(kPath)));
}

// A save made to follow another replaces its file only after the other replaced its own, and
// leaves its file as it was when the other could not.
TEST(MemoryMappedFile, SaveAfterAnotherReplacesItsFileOnlyOnceTheOtherDid) {
    TempDevice device;
    constexpr char16_t kFirst[] = u"\\first.dat";
    MemoryMappedFile first, second;
    ASSERT_TRUE(first.Create(kFirst, 0));
    ASSERT_TRUE(first.Grow(4 << 20));
    ASSERT_TRUE(second.Create(kPath, 0));
    Fill(first, 1);
    Fill(second, 2);
    ASSERT_TRUE(first.StartSave());
    ASSERT_TRUE(second.StartSave(&first));
    second.WaitSave();
    EXPECT_EQ(second.LastSave(), SaveState::Saved);
    EXPECT_EQ(first.LastSave(), SaveState::Saved) << "the first was saved before the second";
    EXPECT_EQ(ReadBytes(device.Host(kPath)), SealImage(ImageOf(second)));

    const std::vector<uint8_t> kept = ReadBytes(device.Host(kPath));
    Fill(second, 3);
    fs::remove(device.Host(kFirst));
    fs::create_directory(device.Host(kFirst));  // the first file cannot be replaced
    ASSERT_TRUE(first.StartSave());
    ASSERT_TRUE(second.StartSave(&first));
    second.WaitSave();
    first.WaitSave();
    EXPECT_EQ(first.LastSave(), SaveState::Failed);
    EXPECT_EQ(second.LastSave(), SaveState::Cancelled);
    EXPECT_EQ(ReadBytes(device.Host(kPath)), kept);
}
