#include "platform/programs/ProgramLine.h"

#include "platform/pom/ProgramLog.h"

namespace plat {

// A program's line is a library line whose "function" is the command line and which has no
// arguments: the same fields, the same escaping, the same single write.
std::string ProgramLine(std::u16string_view program, std::u16string_view commandLine, std::time_t when) {
    return LibraryCallLine(program, commandLine, {}, when);
}

bool LogProgramStart(std::u16string_view program, std::u16string_view commandLine) {
    return LogLibraryCall(program, commandLine, {});
}

}  // namespace plat
