#include "platform/window/ProcessIdentity.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace plat {

namespace {

// The fields of /proc/<pid>/stat after the command name (which may hold blanks and parentheses,
// hence the search for the last ')'): field 3 is the state, field 22 the start time.
std::optional<ProcessIdentity> ReadStat(const std::string& file, uint32_t pid) {
    std::ifstream in(file);
    std::string text;
    if (!std::getline(in, text)) return std::nullopt;
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(text.substr(close + 1));
    std::string state;
    fields >> state;
    if (state.empty() || state == "Z" || state == "X" || state == "x") return std::nullopt;
    std::string skipped;
    for (int field = 4; field < 22 && fields >> skipped; ++field) {}
    uint64_t start = 0;
    if (!(fields >> start)) return std::nullopt;
    return ProcessIdentity{pid, start};
}

}  // namespace

ProcessIdentity CurrentProcess() {
    const auto pid = static_cast<uint32_t>(getpid());
    return ReadStat("/proc/self/stat", pid).value_or(ProcessIdentity{pid, 0});
}

std::optional<ProcessIdentity> RunningProcess(uint32_t pid) {
    if (pid == 0) return std::nullopt;
    return ReadStat("/proc/" + std::to_string(pid) + "/stat", pid);
}

bool IsAlive(const ProcessIdentity& owner) { return RunningProcess(owner.pid) == owner; }

}  // namespace plat
