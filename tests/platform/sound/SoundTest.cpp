#include <gtest/gtest.h>

#include <set>

#include "platform/programs/Desktop.h"
#include "platform/registry/Registry.h"
#include "platform/sound/DtmfTones.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/Wave.h"
#include "platform/sound/WaveVolume.h"
#include "support/ProgramLog.h"

namespace {

class RecordingSleeper : public plat::Sleeper {
public:
    void Sleep(uint32_t ms) override { waits.push_back(ms); }
    std::vector<uint32_t> waits;
};

TEST(DtmfTones, HeaderBytesAndAToneForEveryKey) {
    const std::vector<uint8_t> wav = plat::ToneWave(173);
    const uint32_t dataBytes = plat::kDtmfSampleRate * plat::kDtmfToneMs / 1000 * 2;
    const uint8_t header[44] = {
        'R', 'I', 'F', 'F', uint8_t(36 + dataBytes), uint8_t((36 + dataBytes) >> 8), 0, 0,
        'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
        0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0,
        'd', 'a', 't', 'a', uint8_t(dataBytes), uint8_t(dataBytes >> 8), 0, 0};
    ASSERT_EQ(wav.size(), 44 + dataBytes);
    EXPECT_TRUE(std::equal(header, header + 44, wav.begin()));

    // Resources 171 to 182 are the keys 9, 0 to 8, * and #, each with a tone of its own.
    const std::u16string keys = u"9012345678*#";
    std::set<std::string> tones;  // the waves' bytes
    for (uint32_t resource = 171; resource <= 182; ++resource) {
        EXPECT_EQ(plat::ToneKey(resource), keys[resource - 171]) << resource;
        const std::vector<uint8_t> tone = plat::ToneWave(resource);
        EXPECT_EQ(tones.insert(std::string(tone.begin(), tone.end())).first->size(), wav.size()) << resource;
    }
    EXPECT_EQ(tones.size(), keys.size());
    EXPECT_TRUE(plat::ToneWave(170).empty());
    EXPECT_TRUE(plat::ToneWave(183).empty());
}

TEST(Wave, ParsesOwnDataAndRefusesDamagedData) {
    const std::vector<uint8_t> good = plat::ToneWave(172);
    const auto info = plat::ParseWave(good);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->DurationMs(), plat::kDtmfToneMs);

    auto damaged = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return plat::ParseWave(bytes).has_value();
    };
    EXPECT_FALSE(damaged([](auto& b) { b.resize(100); }));             // data runs past the end
    EXPECT_FALSE(damaged([](auto& b) { b[20] = 3; }));                 // not PCM
    EXPECT_FALSE(damaged([](auto& b) { b[34] = 8; }));                 // 8-bit samples
    EXPECT_FALSE(damaged([](auto& b) { b[16] = 0xFF, b[17] = 0xFF, b[18] = 0xFF, b[19] = 0xFF; }));
    EXPECT_FALSE(plat::ParseWave({}).has_value());
}

// A played sound's log line and its wait are checked through the dialler's tones.
TEST(SoundPlayer, DamagedDataIsNeitherLoggedNorWaitedFor) {
    TempDevice device;
    RecordingSleeper sleeper;
    const std::vector<uint8_t> junk = {'R', 'I', 'F', 'F', 0, 0};
    EXPECT_FALSE(plat::PlaySoundData(u"junk", junk, sleeper));
    EXPECT_EQ(ReadProgramLog(device).find("junk"), std::string::npos);
    EXPECT_TRUE(sleeper.waits.empty());
}

TEST(WaveVolume, KeptInTheRegistryWithWrongTypesReadAsDefault) {
    TempDevice device;
    EXPECT_EQ(plat::GetWaveVolume(), plat::kDefaultWaveVolume);
    ASSERT_TRUE(plat::SetWaveVolume(0x12345678));  // read back through the dialler's tests
    auto& registry = plat::DeviceRegistry();
    const auto stored = registry.GetValue(plat::Hive::CurrentUser, plat::kPlatformKey, plat::kWaveVolumeValue);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_TRUE(registry.SetValue(plat::Hive::CurrentUser, plat::kPlatformKey, plat::kWaveVolumeValue,
                                  plat::RegValue::String(u"loud")));
    EXPECT_EQ(plat::GetWaveVolume(), plat::kDefaultWaveVolume);
}

}  // namespace
