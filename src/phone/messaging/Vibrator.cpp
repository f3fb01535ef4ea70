#include "phone/messaging/Vibrator.h"

#include <thread>

#include "platform/programs/DeviceLibrary.h"
#include "platform/programs/ServiceAbi.h"

namespace {

constexpr std::u16string_view kCoreLibrary = u"coredll.dll";
constexpr uint32_t kFallbackLed = 1;
// No device has more LEDs than this; a larger count is not believed.
constexpr uint32_t kMaxLeds = 64;

}  // namespace

Vibrator::Vibrator(Sleep sleep) : sleep_(std::move(sleep)) {}

Vibrator::~Vibrator() = default;

bool Vibrator::Vibrate(uint32_t ms) {
    if (state_ == State::Unopened) state_ = Open() ? State::Ready : State::Off;
    if (state_ == State::Off) return false;
    const bool on = Switch(true);
    sleep_(std::chrono::milliseconds(ms));
    return Switch(false) && on;
}

bool Vibrator::Open() {
    library_ = std::make_unique<plat::DeviceLibrary>(kCoreLibrary);
    if (!library_->IsLoaded() || library_->Find("NLedSetDevice") == nullptr) {
        library_.reset();
        return false;
    }
    led_ = FindVibrator();
    return true;
}

uint32_t Vibrator::FindVibrator() const {
    auto* info = library_->Find<NLedGetDeviceInfoFunction>("NLedGetDeviceInfo");
    NledCountInfo count{};
    if (info == nullptr || !info(plat::kNledCountInfo, &count)) return kFallbackLed;
    for (uint32_t led = 0; led < count.cLeds && led < kMaxLeds; ++led) {
        NledSupportsInfo supports{};
        supports.LedNum = led;
        if (info(plat::kNledSupportsInfo, &supports) && supports.lCycleAdjust == -1) return led;
    }
    return kFallbackLed;
}

bool Vibrator::Switch(bool on) const {
    NledSettingsInfo settings{};
    settings.LedNum = led_;
    settings.OffOnBlink = on ? 1 : 0;
    return library_->Find<NLedSetDeviceFunction>("NLedSetDevice")(plat::kNledSettingsInfo, &settings) != 0;
}

bool Vibrate(uint32_t ms) {
    static Vibrator vibrator([](std::chrono::milliseconds time) { std::this_thread::sleep_for(time); });
    return vibrator.Vibrate(ms);
}
