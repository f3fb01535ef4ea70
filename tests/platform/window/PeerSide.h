#pragma once
// The peer programs' side of the two-process tests: the device, the record file and the window
// that answers the test. Header-only so that every peer program can use it.
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/Window.h"

namespace peerside {

inline std::string& RecordFile() {
    static std::string file;
    return file;
}

// Appends one line to the record the test reads.
inline void Record(const std::string& line) { std::ofstream(RecordFile(), std::ios::app) << line << '\n'; }

// Makes the device at `root` current, records to `record` and creates the peer's window.
inline plat::HWND Start(const char* root, const char* record, std::u16string_view className, plat::WndProc proc) {
    RecordFile() = record;
    plat::SetCurrentDevice(std::make_unique<plat::Device>(root));
    plat::EnsureApplication();
    return plat::CreateWindow(className, u"peer", std::move(proc));
}

// Answers messages until `closing` holds (two minutes at most, should the test be gone).
inline void Serve(const bool& closing) {
    (void)plat::RunUntil([&] { return closing; }, 120000);  // the peer ends either way
}

}  // namespace peerside
