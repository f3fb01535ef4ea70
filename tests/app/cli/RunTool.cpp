#include "RunTool.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace {

std::string ReadAndRemove(const std::string& file) {
    std::string text;
    {
        std::ifstream in(file, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(file);
    return text;
}

std::vector<std::string> Environment(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string item = *entry;
        if (changes.count(item.substr(0, item.find('='))) == 0) env.push_back(item);
    }
    for (const auto& [name, value] : changes) {
        if (value) env.push_back(name + "=" + *value);
    }
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args,
                   const std::map<std::string, std::optional<std::string>>& env) {
    const std::string base = (std::filesystem::temp_directory_path() / "brevane-cli-").string() +
                             std::to_string(getpid());
    const std::string outFile = base + ".out", errFile = base + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> argv = {BREVANE_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp = Environment(env);
    auto argPointers = Pointers(argv), envPointers = Pointers(envp);

    ToolResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, BREVANE_CLI_PATH, &actions, nullptr, argPointers.data(), envPointers.data()) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadAndRemove(outFile);
    result.err = ReadAndRemove(errFile);
    return result;
}
