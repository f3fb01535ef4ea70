#pragma once
// Short vibrations through the notification LEDs of the device's core library (coredll.dll),
// where the vibrator is the LED whose cycle adjustment is reported as -1.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace plat {
class DeviceLibrary;
}

class Vibrator {
public:
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    // `sleep` waits while the vibrator runs (tests pass one that only records).
    explicit Vibrator(Sleep sleep);
    ~Vibrator();
    Vibrator(const Vibrator&) = delete;
    Vibrator& operator=(const Vibrator&) = delete;

    // Switches the vibrator on, sleeps `ms` and switches it off. The first call looks the LED
    // functions up: without the library or its NLedSetDevice, vibration stays off for the life of
    // this object (false). Otherwise the vibrator is the first LED reporting a cycle adjustment of
    // -1; LED 1 when there is none or the LEDs cannot be counted.
    [[nodiscard]] bool Vibrate(uint32_t ms);
    // The LED chosen by the first call (meaningful once a call returned true).
    uint32_t Led() const { return led_; }

private:
    [[nodiscard]] bool Open();
    uint32_t FindVibrator() const;
    [[nodiscard]] bool Switch(bool on) const;

    enum class State { Unopened, Ready, Off };
    Sleep sleep_;
    State state_ = State::Unopened;
    std::unique_ptr<plat::DeviceLibrary> library_;
    uint32_t led_ = 0;
};

// The program's vibrator (key-press feedback): Vibrator::Vibrate with a real sleep.
[[nodiscard]] bool Vibrate(uint32_t ms);
