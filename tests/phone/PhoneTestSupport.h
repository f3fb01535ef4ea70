#pragma once
// Helpers of the phone tests: a sleeper on the test clock that records each wait and the wave
// volume during it, the device's
// program log, a dialler add-in that records what it is given, and the default number formats.
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "phone/dial/DialerAddIn.h"
#include "phone/templates/PhoneTemplates.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/WaveVolume.h"
#include "platform/timer/TestClock.h"
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

// The program log without time stamps ("tmail.exe\t-To \"a\""), once it holds `count` lines or
// after ten seconds: started programs run on their own and log some time after their start.
inline std::vector<std::string> ProgramLog(const TempDevice& device, size_t count = 0) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        std::ifstream in(device.Host(u"\\Windows\\programs.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find('\t') + 1));
        if (lines.size() >= count || std::chrono::steady_clock::now() > deadline) return lines;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

class RecordingAddIn : public DialerAddIn {
public:
    Str Name() const override { return u"Test dialler"; }
    bool Invoke(plat::HWND, std::span<const uint32_t> list) override {
        items.assign(list.begin(), list.end());
        ++calls;
        return true;
    }
    std::vector<uint32_t> items;
    int calls = 0;
};

inline PhoneTemplates ActiveDefaultFormats() {
    PhoneTemplates formats;
    formats.LoadDefaults();
    formats.SetActive(true);
    return formats;
}
