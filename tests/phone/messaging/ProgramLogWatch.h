#pragma once
// Waits for lines of the device's program log: the stand-in programs run on their own, so their
// line appears some time after they were started.
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDevice.h"

// The log's lines without their time stamps ("tmail.exe\t-To \"a\"").
inline std::vector<std::string> ProgramLogLines(const TempDevice& device) {
    std::ifstream in(device.Host(u"\\Windows\\programs.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const size_t tab = line.find('\t');
        lines.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    return lines;
}

// The log once it holds `count` lines, or as it is after ten seconds.
inline std::vector<std::string> WaitForProgramLog(const TempDevice& device, size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<std::string> lines = ProgramLogLines(device);
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        lines = ProgramLogLines(device);
    }
    return lines;
}
