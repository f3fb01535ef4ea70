#pragma once
// Which process owns a window: its id and its start time, so that a process id reused after the
// owner died is never taken for the owner.
#include <cstdint>
#include <optional>

namespace plat {

struct ProcessIdentity {
    uint32_t pid = 0;
    uint64_t startTime = 0;  // clock ticks after boot, as the kernel reports it

    [[nodiscard]] bool operator==(const ProcessIdentity&) const = default;
};

// The calling process.
ProcessIdentity CurrentProcess();
// The calling process's id without a system call: the id is kept once read and read again in the
// child of a fork, so hot paths (every window message checks that it runs in the process that made
// its window system) pay nothing for it.
uint32_t CurrentPid();

// The identity of a running process; nothing when no such process runs or it has ended and waits
// to be reaped (a zombie owns no windows).
std::optional<ProcessIdentity> RunningProcess(uint32_t pid);

// True when the process that `owner` names still runs. When that cannot be found out now (this
// process has no descriptor left to read /proc with), it counts as running: its windows and
// socket are never removed on a guess.
[[nodiscard]] bool IsAlive(const ProcessIdentity& owner);

}  // namespace plat
