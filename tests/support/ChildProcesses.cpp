#include "support/ChildProcesses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>

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
