#pragma once
// Starting a host executable detached from the caller: no shell and no zombie. The program gets
// the caller's standard streams (and any descriptor the caller left without close-on-exec).
#include <string>
#include <vector>

namespace plat {

// Starts `file` (a host path, not searched on PATH) with `argv` and the caller's environment with
// `setEnv` entries ("NAME=value") replacing those of the same name. The program is a grandchild of
// the caller, so it is reaped by the system when it ends. Returns 0 once the program is running, or
// the errno that stopped it (ENOENT, EACCES, ENOEXEC ...).
int SpawnDetached(const std::string& file, const std::vector<std::string>& argv,
                  const std::vector<std::string>& setEnv = {});

// Runs `file` with `argv` (no shell, standard input and error on /dev/null), waits for it and gives
// what it wrote to standard output; empty when it could not be started.
std::string RunForOutput(const std::string& file, const std::vector<std::string>& argv);

// The executable called `name` in the folders of PATH; empty when there is none.
std::string FindOnPath(const std::string& name);

}  // namespace plat
