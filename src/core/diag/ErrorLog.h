#pragma once
// The error log: one appended line per internal failure, in the file named by the program's
// module path followed by ".log" ("\error.log" at the root when the module is not known).
//
// Line: "yyyy.MM.dd HH:mm:ss - <message>", then when a module is given
// "\t\t<module>:  (<line>)" (the function name, always empty, stands between the two blanks),
// then "\r\n". One byte per character: characters outside ASCII are written as "?". The line is
// written with one append, so lines of concurrent writers never interleave. A log that cannot be
// opened loses the line silently, as does one whose name holds a link or anything but a regular
// file (HostFiles.h).
#include <ctime>
#include <string>
#include <string_view>

void ErrorLog(std::u16string_view message, std::string_view module = {}, int line = 0);

// The bytes of one log line for the local time `when`.
std::string ErrorLogLine(std::u16string_view message, std::string_view module, int line,
                         std::time_t when);

// The device path of the log file.
std::u16string ErrorLogPath();
