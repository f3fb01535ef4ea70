#include "platform/programs/Spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace plat {
namespace {

std::string_view EnvName(std::string_view entry) { return entry.substr(0, entry.find('=')); }

std::vector<std::string> Environment(const std::vector<std::string>& setEnv) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        bool replaced = false;
        for (const std::string& set : setEnv) replaced = replaced || EnvName(set) == EnvName(*entry);
        if (!replaced) env.emplace_back(*entry);
    }
    env.insert(env.end(), setEnv.begin(), setEnv.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void StartGrandchild(const char* file, char* const* argv, char* const* envp, int reportFd) {
    const pid_t grandchild = fork();
    if (grandchild == 0) {
        // The program starts as a fresh one: its own session, no signal blocked by the caller, and
        // none of the caller's terminal or pipes (a caller reading its own output to the end
        // would otherwise wait for the program too).
        setsid();
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            for (int fd = 0; fd <= 2; ++fd) dup2(null, fd);
            if (null > 2) close(null);
        }
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execve(file, argv, envp);
        const int error = errno;
        ssize_t ignored = write(reportFd, &error, sizeof error);
        (void)ignored;
        _exit(127);
    }
    if (grandchild < 0) {
        const int error = errno;
        ssize_t ignored = write(reportFd, &error, sizeof error);
        (void)ignored;
    }
    _exit(0);
}

// The errno the grandchild reported, or 0 when the pipe closed at exec without a word.
int ReadReport(int fd) {
    int error = 0;
    ssize_t got;
    do {
        got = read(fd, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace

int SpawnDetached(const std::string& file, const std::vector<std::string>& argv,
                  const std::vector<std::string>& setEnv) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = Environment(setEnv);
    const std::vector<char*> argp = Pointers(args);
    const std::vector<char*> envp = Pointers(env);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return errno;
    const pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        StartGrandchild(file.c_str(), argp.data(), envp.data(), report[1]);
    }
    const int forkError = child < 0 ? errno : 0;
    close(report[1]);
    if (child > 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    const int error = forkError != 0 ? forkError : ReadReport(report[0]);
    close(report[0]);
    return error;
}

std::string RunForOutput(const std::string& file, const std::vector<std::string>& argv) {
    std::vector<std::string> args = argv;
    const std::vector<char*> argp = Pointers(args);
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool started = posix_spawn(&child, file.c_str(), &actions, nullptr, argp.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    std::string text;
    char buffer[512];
    for (ssize_t got;
         started && ((got = read(output[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR));) {
        if (got > 0) text.append(buffer, static_cast<size_t>(got));
    }
    close(output[0]);
    int status = 0;
    while (started && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return text;
}

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
        if (folder.empty() || folder.front() != '/') continue;
        const std::string candidate = std::string(folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

}  // namespace plat
