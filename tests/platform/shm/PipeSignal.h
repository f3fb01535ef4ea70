#pragma once
// One-way signals between processes forked by a test: a pipe made before the fork. A wait gives
// up after a generous time so that a dead peer fails the test instead of hanging it.
#include <poll.h>
#include <unistd.h>

#include <stdexcept>

class PipeSignal {
public:
    PipeSignal() {
        if (::pipe(fds_) != 0) throw std::runtime_error("pipe");
    }
    ~PipeSignal() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    PipeSignal(const PipeSignal&) = delete;
    PipeSignal& operator=(const PipeSignal&) = delete;

    void Post() {
        const char byte = 1;
        if (::write(fds_[1], &byte, 1) != 1) throw std::runtime_error("pipe write");
    }
    bool Wait() {
        pollfd p{fds_[0], POLLIN, 0};
        char byte = 0;
        return ::poll(&p, 1, 30000) == 1 && ::read(fds_[0], &byte, 1) == 1;
    }

private:
    int fds_[2];
};
