#pragma once
// Starting the programs of the device. A program is named by a device path; its host file is the
// executable the path maps to, started directly (execve, never through a shell) with exactly two
// arguments: its own host path and the command line as one string. The program finds its device
// through BREVANE_ROOT, which is set to the current device's root for it.
#include <string_view>

namespace plat {

// Starts the program a device path names ("tmail.exe" or "cprog.exe" alone means
// \Windows\<name>; "\Program Files\Brevane\x.exe" as written), handing it the command line as one
// string exactly as given (never through a shell). False when the program file is missing or not
// startable (the last error says why: ERROR_FILE_NOT_FOUND, ERROR_INVALID_PARAMETER for a command
// line holding a NUL, ERROR_GEN_FAILURE for a file that cannot be executed). The started program
// runs on its own: nobody waits for it and it leaves no zombie behind.
[[nodiscard]] bool StartProgram(std::u16string_view program, std::u16string_view commandLine);

// The shell's "open" verb on a device file (documents, links): logs and, on a desktop device,
// hands the host path to xdg-open. False when the file does not exist.
[[nodiscard]] bool OpenDocument(std::u16string_view devicePath);

// The device path a program name stands for: a name without a folder ("tmail.exe") is in
// \Windows, anything else is taken as written.
std::u16string ProgramDevicePath(std::u16string_view program);

}  // namespace plat
