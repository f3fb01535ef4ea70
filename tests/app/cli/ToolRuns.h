#pragma once
// Runs brevane-cli as a program of its own on a device folder, as a user does, for the tests that
// copy, restore or damage the folder's files between runs.
#include <filesystem>
#include <string>
#include <vector>

#include "support/ChildProcesses.h"
#include "support/HostFiles.h"

struct ToolRun {
    int status = 0;
    std::string out;
};

// The tool's exit status and standard output (its standard error is inherited).
inline ToolRun Tool(const std::filesystem::path& root, std::vector<std::string> args) {
    args.insert(args.begin(), {BREVANE_CLI, "--root", root.string()});
    const std::filesystem::path out = root.parent_path() / (root.filename().string() + ".out");
    ToolRun run;
    run.status = WaitExit(SpawnProgram(args, out));
    run.out = ReadHostFile(out);
    std::filesystem::remove(out);
    return run;
}
