#pragma once
// The program's entry as far as it needs no display: finding a running instance of the device,
// handing it the command line, and asking the own main window for what the command line says.
#include <cstdint>
#include <string_view>

#include "platform/window/WindowTypes.h"

inline constexpr std::u16string_view kMainWindowClass = u"IS.MAIN.WND.CLASS";

// Exit codes of the entry.
inline constexpr int kExitForwarded = 1;  // another instance runs and was handed the request
inline constexpr int kExitDone = 0;

// The main window of a running instance on the current device; 0 when none runs.
plat::HWND FindRunningInstance();

// Posts the request of `commandLine` (CommandLine.h: "/NEW" or a switch; nothing for anything
// else) to `window`. False when there was a request and it could not be posted.
[[nodiscard]] bool PostRequest(plat::HWND window, std::u16string_view commandLine);

// A second instance's whole work: posts the request to the running window, brings that window
// forward with its owned windows, and gives the exit code (always kExitForwarded).
int ForwardToRunningInstance(plat::HWND running, std::u16string_view commandLine);
