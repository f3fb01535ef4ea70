#pragma once
// Wake-ups across processes: each listening process binds a Unix datagram socket in the device's
// namespace folder; a writer sends one byte to every socket there after each commit. A socket
// whose process is gone is removed by the first writer that finds it dead.
#include <filesystem>
#include <memory>

namespace plat::objstore {

class WakeSocket {
public:
    // Binds a new socket; throws StoreFailure when the namespace folder cannot hold one.
    static std::unique_ptr<WakeSocket> Bind();
    ~WakeSocket();
    WakeSocket(const WakeSocket&) = delete;
    WakeSocket& operator=(const WakeSocket&) = delete;

    int Fd() const { return fd_; }
    // Reads every waiting wake-up.
    void Drain();

private:
    WakeSocket(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

    int fd_;
    std::filesystem::path path_;
};

// Sends a wake-up to every listening process of the current device (best effort).
void WakeListeners();

}  // namespace plat::objstore
