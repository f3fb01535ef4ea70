#include "ChildRun.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

extern char** environ;

ChildResult RunChild(const std::vector<std::string>& argv) {
    ChildResult result;
    char outName[] = "/tmp/brevane-child-out-XXXXXX";
    const int outFd = mkstemp(outName);
    if (outFd < 0) return result;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    if (spawned == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid) {
            result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
            result.cpuSeconds = cpu(usage.ru_utime) + cpu(usage.ru_stime);
            result.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
            result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    std::ifstream in(outName);
    std::ostringstream text;
    text << in.rdbuf();
    result.out = text.str();
    std::remove(outName);
    return result;
}
