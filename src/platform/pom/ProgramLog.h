#pragma once
// The device's program log <root>/Windows/programs.log, where the stand-in programs and libraries
// record what they were asked to do. One UTF-8 line each: local time "YYYY-MM-DDTHH:MM:SS", a tab,
// the program's file name, then for a library a tab and the function and a tab before each
// argument. Control characters inside the texts are written as \t, \n, \r and \xNN so that one
// call is always one line.
#include <ctime>
#include <span>
#include <string>
#include <string_view>

namespace plat {

inline constexpr std::u16string_view kProgramLogPath = u"\\Windows\\programs.log";

// Appends the line of a library call to the current device's program log, with one write so that
// lines of concurrent writers never interleave. False when the log cannot be written.
[[nodiscard]] bool LogLibraryCall(std::u16string_view library, std::u16string_view function,
                                  std::span<const std::u16string> args);

// The text of such a line (ended by "\n") for the local time `when`.
std::string LibraryCallLine(std::u16string_view library, std::u16string_view function,
                            std::span<const std::u16string> args, std::time_t when);

}  // namespace plat
