#include "platform/sound/DtmfTones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/sound/Wave.h"

namespace plat {

namespace {

constexpr char16_t kKeys[] = u"9012345678*#";
constexpr uint16_t kRows[] = {697, 770, 852, 941};
constexpr uint16_t kColumns[] = {1209, 1336, 1477};
constexpr uint32_t kFadeSamples = kDtmfSampleRate * 5 / 1000;
constexpr double kLevel = 0.35 * 32767;  // per frequency; both together stay below full scale

}  // namespace

char16_t ToneKey(uint32_t resource) {
    if (resource < kFirstToneResource || resource > kLastToneResource) return 0;
    return kKeys[resource - kFirstToneResource];
}

std::optional<DtmfPair> ToneFrequencies(uint32_t resource) {
    const char16_t key = ToneKey(resource);
    if (key == 0) return std::nullopt;
    if (key == u'*') return DtmfPair{kRows[3], kColumns[0]};
    if (key == u'0') return DtmfPair{kRows[3], kColumns[1]};
    if (key == u'#') return DtmfPair{kRows[3], kColumns[2]};
    const int digit = key - u'1';
    return DtmfPair{kRows[digit / 3], kColumns[digit % 3]};
}

std::vector<uint8_t> ToneWave(uint32_t resource) {
    const std::optional<DtmfPair> pair = ToneFrequencies(resource);
    if (!pair) return {};
    const uint32_t count = kDtmfSampleRate * kDtmfToneMs / 1000;
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kDtmfSampleRate;
        const double fade = std::min({1.0, static_cast<double>(i) / kFadeSamples,
                                      static_cast<double>(count - 1 - i) / kFadeSamples});
        const double v = std::sin(2 * std::numbers::pi * pair->low * t) +
                         std::sin(2 * std::numbers::pi * pair->high * t);
        samples[i] = static_cast<int16_t>(std::lround(kLevel * fade * v));
    }
    return BuildMonoWave(samples, kDtmfSampleRate);
}

}  // namespace plat
