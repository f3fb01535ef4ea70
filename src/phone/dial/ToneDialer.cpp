#include "phone/dial/ToneDialer.h"

#include <string>

#include "platform/sound/DtmfTones.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/WaveVolume.h"

namespace {

constexpr uint32_t kAudibleLevel = 0x7FFF;
constexpr uint32_t kAudibleVolume = 0x7FFF7FFF;

// Raises a quiet wave volume while it lives and puts it back after.
class AudibleVolume {
public:
    AudibleVolume() : saved_(plat::GetWaveVolume()) {
        raised_ = (saved_ & 0xFFFF) < kAudibleLevel && (saved_ >> 16) < kAudibleLevel;
        if (raised_) (void)plat::SetWaveVolume(kAudibleVolume);  // the tones play at the volume there is
    }
    ~AudibleVolume() {
        if (raised_) (void)plat::SetWaveVolume(saved_);  // the volume stays as the tones left it
    }
    AudibleVolume(const AudibleVolume&) = delete;
    AudibleVolume& operator=(const AudibleVolume&) = delete;

private:
    uint32_t saved_;
    bool raised_ = false;
};

std::u16string ToneName(uint32_t resource) {
    const std::string digits = std::to_string(resource);
    return u"tone" + std::u16string(digits.begin(), digits.end());
}

}  // namespace

uint32_t ToneResourceOf(char16_t c) {
    if (c >= u'0' && c <= u'8') return 172 + (c - u'0');
    if (c == u'9') return 171;
    if (c == u'*') return 181;
    if (c == u'#') return 182;
    return 0;
}

void PlayTones(std::u16string_view number, plat::Sleeper& sleeper) {
    AudibleVolume volume;
    bool afterTone = false;
    for (const char16_t c : number) {
        if (c == u',') {
            sleeper.Sleep(kPauseMs);
            afterTone = false;
            continue;
        }
        const uint32_t resource = ToneResourceOf(c);
        if (resource == 0) continue;
        if (afterTone) sleeper.Sleep(kToneGapMs);
        // A tone that cannot play is skipped; the number is still dialled.
        (void)plat::PlaySoundData(ToneName(resource), plat::ToneWave(resource), sleeper);
        afterTone = true;
    }
}
