#pragma once
// Runs work in several child processes at once (fork), or programs of their own (spawn), for tests
// of what processes share.
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Starts `count` children, each running body(index) and exiting with its result (0 to 255), and
// waits for all of them. Returns their exit codes in index order; -1 for a child that died from a
// signal. A child never returns into the test framework.
std::vector<int> RunInChildren(int count, const std::function<int(int index)>& body);

// Starts the program args[0] with `args`, its standard output written to `out` (discarded when
// empty) and its standard error to `err` (inherited when empty). Returns its process id, 0 when
// it could not be started.
pid_t SpawnProgram(const std::vector<std::string>& args, const std::filesystem::path& out = {},
                   const std::filesystem::path& err = {});
// Waits for `pid` to end: its exit status, or -1 when a signal ended it.
int WaitExit(pid_t pid);
