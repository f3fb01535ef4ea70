#pragma once
// Reading what the stand-ins wrote to the device's program log, waiting for programs that run on
// their own, and waiting for their windows.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

inline std::string ReadProgramLog(const TempDevice& device) {
    return ReadHostFile(device.Host(u"\\Windows\\programs.log"));
}

// The log once it holds `text` (at most ten seconds; the log as it is then otherwise).
inline std::string AwaitProgramLog(const TempDevice& device, std::string_view text) {
    std::string log = ReadProgramLog(device);
    for (int i = 0; i < 1000 && log.find(text) == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = ReadProgramLog(device);
    }
    return log;
}

// The log's lines without time stamps ("tmail.exe\t-To \"a\""), only those that start with
// `prefix`, once it holds `count` of them or after ten seconds: started programs run on their own
// and log some time after their start.
inline std::vector<std::string> ProgramLog(const TempDevice& device, size_t count = 0,
                                           std::string_view prefix = {}) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        std::ifstream in(device.Host(u"\\Windows\\programs.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            line = line.substr(line.find('\t') + 1);
            if (line.starts_with(prefix)) lines.push_back(line);
        }
        if (lines.size() >= count || std::chrono::steady_clock::now() > deadline) return lines;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The window of the class once it exists, or once it is gone (`gone`), within ten seconds.
inline plat::HWND AwaitWindow(std::u16string_view className, bool gone = false) {
    plat::HWND window = 0;
    (void)plat::RunUntil(  // the checks below say what came
        [&] {
            window = plat::FindWindow(className);
            return (window != 0) != gone;
        },
        10000);
    return window;
}
