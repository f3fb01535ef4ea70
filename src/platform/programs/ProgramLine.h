#pragma once
// The line a stand-in program writes to the device's program log (\Windows\programs.log) when it
// starts: local time "YYYY-MM-DDTHH:MM:SS", a tab, the program's file name, a tab, its command line
// as received. Control characters of the command line are written as \t, \n, \r and \xNN (the
// log's one rule for every line, platform/pom/ProgramLog.h), so one start is always one line;
// everything else, quotes and backslashes included, stays as it is.
#include <ctime>
#include <string>
#include <string_view>

namespace plat {

// Appends the line to the current device's program log with one write. False when it cannot.
[[nodiscard]] bool LogProgramStart(std::u16string_view program, std::u16string_view commandLine);

// The text of that line (ended by "\n") for the local time `when`.
std::string ProgramLine(std::u16string_view program, std::u16string_view commandLine, std::time_t when);

}  // namespace plat
