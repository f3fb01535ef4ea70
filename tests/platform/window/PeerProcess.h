#pragma once
// A second real process for the window and coordination tests: a peer program started with
// arguments, which writes what it sees to a record file, one line at a time. Header-only so that
// every test folder that runs peers can use it.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/loop/EventLoop.h"

extern char** environ;

class PeerProcess {
public:
    // Starts BREVANE_PEER_DIR/<program> with the arguments; Pid() is 0 when it could not start.
    PeerProcess(const std::string& program, const std::vector<std::string>& args) {
        std::vector<std::string> words{std::string(BREVANE_PEER_DIR) + "/" + program};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = 0;
    }
    ~PeerProcess() {
        Kill();
        Reap();
    }
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;

    pid_t Pid() const { return pid_; }
    // Ends the peer at once (it gets no chance to clean up), leaving it unreaped. Returns once the
    // peer has ended: a signal is only delivered when the peer next runs, which on a loaded machine
    // can be well after kill() returns, and until then the peer's windows rightly still exist.
    void Kill() {
        if (pid_ <= 0 || reaped_) return;
        kill(pid_, SIGKILL);
        siginfo_t info{};
        while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {}
    }
    // Waits for the peer to end; its exit code, or -1 when it died from a signal.
    int Reap() {
        if (pid_ <= 0 || reaped_) return exitCode_;
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
        reaped_ = true;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return exitCode_;
    }

private:
    pid_t pid_ = 0;
    bool reaped_ = false;
    int exitCode_ = -1;
};

inline std::vector<std::string> RecordLines(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Runs this process's event loop (so its windows answer at once) until the record holds a line
// starting with `prefix`; that line. A file gives the loop no event: RunUntil looks again now and
// then.
inline std::optional<std::string> AwaitRecord(const std::string& file, const std::string& prefix,
                                              int timeoutMs = 20000) {
    std::optional<std::string> found;
    (void)plat::RunUntil(  // the checks below say what came
        [&] {
            for (const std::string& line : RecordLines(file)) {
                if (line.rfind(prefix, 0) != 0) continue;
                found = line;
                return true;
            }
            return false;
        },
        timeoutMs);
    return found;
}
