// The ringtones a new device comes with: their WAV headers byte by byte, their sound (heard, not
// clipped, starting and ending at rest), and that writing them never replaces a file already there.
#include "categories/ringtones/BuiltinRingtones.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/str/Str.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace {

namespace fs = std::filesystem;

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
std::string Tag(const std::vector<uint8_t>& bytes, size_t at) {
    return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

TEST(BuiltinRingtones, AreShortPcmWavesWithTheirHeaderByteForByte) {
    const std::vector<std::u16string_view> names = BuiltinRingtoneNames();
    ASSERT_GE(names.size(), 3u);
    for (size_t index = 0; index < names.size(); ++index) {
        const std::string name = Str(names[index]).ToUtf8();
        EXPECT_TRUE(name.ends_with(".wav")) << name;
        EXPECT_EQ(std::count(names.begin(), names.end(), names[index]), 1) << name;
        const std::vector<uint8_t> wave = BuiltinRingtoneWave(index);
        ASSERT_GT(wave.size(), 44u) << name;
        EXPECT_EQ(Tag(wave, 0), "RIFF") << name;
        EXPECT_EQ(U32(wave, 4), wave.size() - 8) << name;
        EXPECT_EQ(Tag(wave, 8), "WAVE") << name;
        EXPECT_EQ(Tag(wave, 12), "fmt ") << name;
        EXPECT_EQ(U32(wave, 16), 16u) << name;
        EXPECT_EQ(U16(wave, 20), 1u) << name << ": PCM";
        EXPECT_EQ(U16(wave, 22), 1u) << name << ": mono";
        EXPECT_EQ(U32(wave, 24), kBuiltinRingtoneRate) << name;
        EXPECT_EQ(U32(wave, 28), kBuiltinRingtoneRate * 2) << name << ": bytes a second";
        EXPECT_EQ(U16(wave, 32), 2u) << name << ": block align";
        EXPECT_EQ(U16(wave, 34), 16u) << name << ": bits";
        EXPECT_EQ(Tag(wave, 36), "data") << name;
        EXPECT_EQ(U32(wave, 40), wave.size() - 44) << name;
        const uint32_t ms = U32(wave, 40) / 2 * 1000 / kBuiltinRingtoneRate;
        EXPECT_TRUE(ms >= 500 && ms <= 3000) << name << ": " << ms << " ms";
        int peak = 0;
        for (size_t at = 44; at + 1 < wave.size(); at += 2)
            peak = std::max(peak, std::abs(static_cast<int16_t>(U16(wave, at))));
        EXPECT_TRUE(peak > 8000 && peak < 32767) << name << ": heard and not clipped, peak " << peak;
        EXPECT_LT(std::abs(static_cast<int16_t>(U16(wave, 44))), 100) << name << " starts at rest";
        EXPECT_LT(std::abs(static_cast<int16_t>(U16(wave, wave.size() - 2))), 100) << name << " ends at rest";
    }
    EXPECT_TRUE(BuiltinRingtoneWave(names.size()).empty());
}

TEST(BuiltinRingtones, AreWrittenWholeAndReplaceNothing) {
    TempDevice device;
    const fs::path rings = device.Host(kBuiltinRingtoneFolder);
    const std::vector<std::u16string_view> names = BuiltinRingtoneNames();
    // A file of the owner's under one of the names is kept.
    fs::create_directories(rings);
    std::ofstream(rings / fs::path(names[0])) << "the owner's own";
    ASSERT_TRUE(InstallBuiltinRingtones(device.Device()));
    const std::vector<uint8_t> owners = ReadHostBytes(rings / fs::path(names[0]));
    EXPECT_EQ(std::string(owners.begin(), owners.end()), "the owner's own");
    for (size_t index = 1; index < names.size(); ++index) {
        EXPECT_EQ(ReadHostBytes(rings / fs::path(names[index])), BuiltinRingtoneWave(index));
    }
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(rings)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, names.size()) << "no draft is left behind";

    // A folder that cannot be made is a failure.
    TempDevice blocked;
    fs::create_directories(blocked.Host(u"\\Windows"));
    std::ofstream(blocked.Host(kBuiltinRingtoneFolder)) << "a file in the folder's place";
    EXPECT_FALSE(InstallBuiltinRingtones(blocked.Device()));
}

}  // namespace
