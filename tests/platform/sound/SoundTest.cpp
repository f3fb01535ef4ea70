#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/programs/Desktop.h"
#include "platform/registry/Registry.h"
#include "platform/sound/DtmfTones.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/Wave.h"
#include "platform/sound/WaveVolume.h"
#include "platform/programs/ProgramLogWait.h"

namespace {

class RecordingSleeper : public plat::Sleeper {
public:
    void Sleep(uint32_t ms) override { waits.push_back(ms); }
    std::vector<uint32_t> waits;
};

// Power of one frequency in the samples (Goertzel), relative to the samples' total power.
double Share(const std::vector<uint8_t>& wav, double frequency) {
    const size_t n = (wav.size() - 44) / 2;
    double s1 = 0, s2 = 0, total = 0;
    const double k = 2 * std::cos(2 * std::numbers::pi * frequency / plat::kDtmfSampleRate);
    for (size_t i = 0; i < n; ++i) {
        const double x = static_cast<int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8));
        const double s = x + k * s1 - s2;
        s2 = s1;
        s1 = s;
        total += x * x;
    }
    return (s1 * s1 + s2 * s2 - k * s1 * s2) / (total * n / 2);
}

TEST(DtmfTones, HeaderBytesAndFrequencyPairOfEveryKey) {
    const std::vector<uint8_t> wav = plat::ToneWave(173);
    const uint32_t dataBytes = plat::kDtmfSampleRate * plat::kDtmfToneMs / 1000 * 2;
    const uint8_t header[44] = {
        'R', 'I', 'F', 'F', uint8_t(36 + dataBytes), uint8_t((36 + dataBytes) >> 8), 0, 0,
        'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
        0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0,
        'd', 'a', 't', 'a', uint8_t(dataBytes), uint8_t(dataBytes >> 8), 0, 0};
    ASSERT_EQ(wav.size(), 44 + dataBytes);
    EXPECT_TRUE(std::equal(header, header + 44, wav.begin()));

    const struct {
        uint32_t resource;
        char16_t key;
        int low, high;
    } keys[] = {{171, u'9', 852, 1477}, {172, u'0', 941, 1336}, {173, u'1', 697, 1209},
                {177, u'5', 770, 1336}, {182, u'#', 941, 1477}};
    const int all[] = {697, 770, 852, 941, 1209, 1336, 1477};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.resource);
        EXPECT_EQ(plat::ToneKey(k.resource), k.key);
        const std::vector<uint8_t> tone = plat::ToneWave(k.resource);
        for (const int f : all) {
            const double share = Share(tone, f);
            if (f == k.low || f == k.high) {
                EXPECT_GT(share, 0.4) << f;
            } else {
                EXPECT_LT(share, 0.02) << f;
            }
        }
    }
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
    registry.SetValue(plat::Hive::CurrentUser, plat::kPlatformKey, plat::kWaveVolumeValue,
                      plat::RegValue::String(u"loud"));
    EXPECT_EQ(plat::GetWaveVolume(), plat::kDefaultWaveVolume);
}

}  // namespace
