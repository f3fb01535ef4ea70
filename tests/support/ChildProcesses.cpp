#include "support/ChildProcesses.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>

extern char** environ;

std::vector<int> RunInChildren(int count, const std::function<int(int index)>& body) {
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            int result = 255;
            try {
                result = body(i);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "child %d: %s\n", i, e.what());
            }
            _exit(result);
        }
        children.push_back(pid);
    }
    std::vector<int> codes;
    for (const pid_t pid : children) {
        int status = 0;
        const bool exited = pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
        codes.push_back(exited ? WEXITSTATUS(status) : -1);
    }
    return codes;
}

pid_t SpawnProgram(const std::vector<std::string>& args, const std::filesystem::path& out,
                   const std::filesystem::path& err) {
    std::vector<std::string> words = args;
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string outPath = out.empty() ? "/dev/null" : out.string();
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    if (!err.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : 0;
}

int WaitExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
