#include "platform/window/SocketIo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

namespace plat {

namespace {

std::optional<sockaddr_un> AddressOf(const std::filesystem::path& path) {
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string& text = path.native();
    if (text.empty() || text.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, text.data(), text.size());
    return address;
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

int NewSocket() { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

bool SetNonBlocking(int fd, bool on) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) == 0;
}

// A blocking connect waits in the kernel until the listener's queue has room, for at most the
// socket's send time-out (at least 1 ms: zero would mean for ever).
bool SetSendTimeout(int fd, int timeoutMs) {
    const int ms = timeoutMs < 1 ? 1 : timeoutMs;
    const timeval limit{ms / 1000, (ms % 1000) * 1000};
    return ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0;
}

// Connects the blocking socket `fd`, waiting until `deadline` for room in the listener's queue.
bool ConnectBefore(int fd, const sockaddr_un& address, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const int left = RemainingMs(deadline);
        if (!SetSendTimeout(fd, left)) return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
        if (errno != EINTR && (errno != EAGAIN || left == 0)) return false;
    }
}

bool WaitWritable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLOUT, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (entry.revents & POLLOUT) != 0;
}

}  // namespace

int ListenAt(const std::filesystem::path& path) {
    const auto address = AddressOf(path);
    if (!address) return -1;
    const int fd = NewSocket();
    if (fd < 0) return -1;
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 || ::listen(fd, 64) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int ConnectTo(const std::filesystem::path& path, int timeoutMs) {
    const auto address = AddressOf(path);
    if (!address) return -1;
    const int fd = NewSocket();
    if (fd < 0) return -1;
    // A non-blocking Unix socket fails at once with EAGAIN when the listener's queue is full, and
    // no poll tells when it has room; a blocking connect with a send time-out waits for exactly
    // that. The socket is non-blocking again once connected.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    if (SetNonBlocking(fd, false) && ConnectBefore(fd, *address, deadline) && SetNonBlocking(fd, true)) return fd;
    ::close(fd);
    return -1;
}

int AcceptFrom(int listener) {
    int fd;
    do {
        fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitWritable(fd, RemainingMs(deadline))) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool ReadAvailable(int fd, std::vector<uint8_t>& buffer) {
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            buffer.insert(buffer.end(), chunk, chunk + n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
}

bool WaitReadable(std::span<const int> fds, int timeoutMs, std::vector<bool>& readable) {
    std::vector<pollfd> entries;
    for (const int fd : fds) entries.push_back(pollfd{fd, POLLIN, 0});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int ready;
    do {
        ready = ::poll(entries.data(), entries.size(), RemainingMs(deadline));
    } while (ready < 0 && errno == EINTR);
    readable.assign(fds.size(), false);
    for (size_t i = 0; i < entries.size(); ++i) readable[i] = entries[i].revents != 0;
    return ready > 0;
}

void CloseFd(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace plat
