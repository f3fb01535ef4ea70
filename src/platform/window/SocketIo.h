#pragma once
// The Unix stream sockets that carry frames between the processes of a device. Every descriptor
// is non-blocking and closed on exec; writes never raise SIGPIPE.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace plat {

// Listens at `path` (a file left there before is replaced); -1 on failure, including a path too
// long for a socket address.
int ListenAt(const std::filesystem::path& path);
// Connects to the socket at `path`; -1 when nobody listens there. A listener whose queue of
// waiting connections is full (its process is busy) is waited for, at most `timeoutMs`, until it
// takes one: a busy process is not a missing one.
int ConnectTo(const std::filesystem::path& path, int timeoutMs);
// Takes a waiting connection of a listening socket; -1 when none waits.
int AcceptFrom(int listener);

// Writes every byte, waiting at most `timeoutMs` for room; false on time-out or a closed peer.
[[nodiscard]] bool WriteAll(int fd, std::span<const uint8_t> bytes, int timeoutMs);

// Appends what can be read now to `buffer`; false once the peer has closed or the socket failed.
[[nodiscard]] bool ReadAvailable(int fd, std::vector<uint8_t>& buffer);

// Waits at most `timeoutMs` until one of `fds` can be read; fills `readable` (same order).
// False on time-out.
[[nodiscard]] bool WaitReadable(std::span<const int> fds, int timeoutMs, std::vector<bool>& readable);

void CloseFd(int fd);

}  // namespace plat
