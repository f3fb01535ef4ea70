#pragma once
// Helpers of the dialling tests: a sleeper that waits on the test clock and records each wait,
// and the lines of the device's program log.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sound/SoundPlayer.h"
#include "platform/timer/TestClock.h"
#include "support/TempDevice.h"

class ClockSleeper : public plat::Sleeper {
public:
    explicit ClockSleeper(plat::ScopedTestClock& clock) : clock_(clock) {}
    void Sleep(uint32_t ms) override {
        waits.push_back(ms);
        clock_.Advance(ms);
    }
    std::vector<uint32_t> waits;

private:
    plat::ScopedTestClock& clock_;
};

// The log lines without their time stamps.
inline std::vector<std::string> LogLines(const TempDevice& device) {
    std::ifstream in(device.Host(u"\\Windows\\programs.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find('\t') + 1));
    return lines;
}
