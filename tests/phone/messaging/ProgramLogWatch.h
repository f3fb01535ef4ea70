#pragma once
// The device's program log without time stamps ("tmail.exe\t-To \"a\""), once it holds `count`
// lines or after ten seconds: the stand-in programs run on their own and log some time after
// they were started.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDevice.h"

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
