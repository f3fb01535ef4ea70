#pragma once
// Runs the built brevane-cli with arguments and environment changes, capturing what it prints.
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ToolResult {
    int status = -1;  // the exit status; -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

// `env` sets (a value) or removes (nothing) variables of the test's own environment for the tool.
ToolResult RunTool(const std::vector<std::string>& args,
                   const std::map<std::string, std::optional<std::string>>& env = {});
