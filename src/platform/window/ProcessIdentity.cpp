#include "platform/window/ProcessIdentity.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <sstream>
#include <string>

namespace plat {

namespace {

// What /proc/<pid>/stat says of a process.
struct StatReading {
    bool known = true;  // false when the file exists but cannot be read now (no descriptor left)
    std::optional<ProcessIdentity> running;
};

// The fields of /proc/<pid>/stat after the command name (which may hold blanks and parentheses,
// hence the search for the last ')'): field 3 is the state, field 22 the start time.
std::optional<ProcessIdentity> ParseStat(const std::string& text, uint32_t pid) {
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

// Only a missing file means that no such process runs; any other failure leaves it unknown.
StatReading ReadStat(const std::string& file, uint32_t pid) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return StatReading{errno == ENOENT || errno == ESRCH, std::nullopt};
    char buffer[1024];
    ssize_t n;
    do {
        n = ::read(fd, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    const int readError = errno;
    ::close(fd);
    // Reading the file of a process that has just been reaped fails with ESRCH.
    if (n < 0) return StatReading{readError == ESRCH, std::nullopt};
    return StatReading{true, ParseStat(std::string(buffer, static_cast<size_t>(n)), pid)};
}

std::string StatFile(uint32_t pid) { return "/proc/" + std::to_string(pid) + "/stat"; }

}  // namespace

uint32_t CurrentPid() {
    static std::atomic<uint32_t> cached{0};
    static const bool forgetInChild = [] {
        return pthread_atfork(nullptr, nullptr, [] { cached.store(0, std::memory_order_relaxed); }) == 0;
    }();
    uint32_t pid = cached.load(std::memory_order_relaxed);
    if (pid == 0) {
        pid = static_cast<uint32_t>(getpid());
        // Without the fork handler a child could keep its parent's id: then ask every time.
        if (forgetInChild) cached.store(pid, std::memory_order_relaxed);
    }
    return pid;
}

ProcessIdentity CurrentProcess() {
    const uint32_t pid = CurrentPid();
    return ReadStat("/proc/self/stat", pid).running.value_or(ProcessIdentity{pid, 0});
}

std::optional<ProcessIdentity> RunningProcess(uint32_t pid) {
    if (pid == 0) return std::nullopt;
    return ReadStat(StatFile(pid), pid).running;
}

bool IsAlive(const ProcessIdentity& owner) {
    if (owner.pid == 0) return false;
    const StatReading reading = ReadStat(StatFile(owner.pid), owner.pid);
    return !reading.known || reading.running == owner;
}

}  // namespace plat
