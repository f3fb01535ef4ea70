#pragma once
// Helpers of the phone tests: a sleeper on the test clock that records each wait and the wave
// volume during it, the device's program log (support/ProgramLog.h), a dialler add-in that records
// what it is given, and the default number formats.
#include <cstdint>
#include <string>
#include <vector>

#include "phone/dial/DialerAddIn.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/WaveVolume.h"
#include "platform/timer/TestClock.h"
#include "support/ProgramLog.h"
#include "support/TempDevice.h"

class ClockSleeper : public plat::Sleeper {
public:
    explicit ClockSleeper(plat::ScopedTestClock& clock) : clock_(clock) {}
    void Sleep(uint32_t ms) override {
        waits.push_back(ms);
        volumes.push_back(plat::GetWaveVolume());
        clock_.Advance(ms);
    }
    std::vector<uint32_t> waits;
    std::vector<uint32_t> volumes;

private:
    plat::ScopedTestClock& clock_;
};

class RecordingAddIn : public DialerAddIn {
public:
    Str Name() const override { return u"Test dialler"; }
    bool Invoke(plat::HWND, std::span<const uint32_t> list) override {
        items.assign(list.begin(), list.end());
        ++calls;
        return dials;
    }
    std::vector<uint32_t> items;
    int calls = 0;
    bool dials = true;  // what Invoke answers
};

inline PhoneTemplates ActiveDefaultFormats() {
    PhoneTemplates formats;
    formats.LoadDefaults();
    formats.SetActive(true);
    return formats;
}
