#include "platform/objectstore/WakeSocket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/device/Device.h"
#include "platform/objectstore/StoreErrors.h"
#include "platform/objectstore/StoreFailure.h"

namespace fs = std::filesystem;

namespace plat::objstore {

namespace {

constexpr const char* kFolder = "objectstore";
constexpr const char* kSuffix = ".wake";

fs::path WakeFolder() { return CurrentDevice().NamespaceDir() / kFolder; }

bool FillAddress(const fs::path& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

fs::path NewSocketPath() {
    static std::atomic<unsigned> counter{0};
    return WakeFolder() / (std::to_string(::getpid()) + "-" + std::to_string(++counter) + kSuffix);
}

}  // namespace

std::unique_ptr<WakeSocket> WakeSocket::Bind() {
    std::error_code ec;
    fs::create_directories(WakeFolder(), ec);
    const fs::path path = NewSocketPath();
    sockaddr_un address{};
    if (!FillAddress(path, address)) Fail(ERROR_GEN_FAILURE, "the device namespace path is too long: " + path.string());
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) Fail(ERROR_GEN_FAILURE, std::string("cannot make a notification socket: ") + std::strerror(errno));
    fs::remove(path, ec);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        Fail(ERROR_GEN_FAILURE, "cannot bind " + path.string() + ": " + std::strerror(error));
    }
    return std::unique_ptr<WakeSocket>(new WakeSocket(fd, path));
}

WakeSocket::~WakeSocket() {
    ::close(fd_);
    std::error_code ec;
    fs::remove(path_, ec);
}

void WakeSocket::Drain() {
    char buffer[64];
    while (::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
    }
}

void WakeListeners() {
    if (!HasCurrentDevice()) return;
    std::error_code ec;
    fs::directory_iterator it(WakeFolder(), ec);
    if (ec) return;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    for (const fs::directory_entry& entry : it) {
        sockaddr_un address{};
        if (entry.path().extension() != kSuffix || !FillAddress(entry.path(), address)) continue;
        const char byte = 1;
        const ssize_t sent = ::sendto(fd, &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL,
                                      reinterpret_cast<const sockaddr*>(&address), sizeof address);
        // Refused: nobody is bound there any more. A full queue (EAGAIN) already holds a wake-up.
        if (sent < 0 && errno == ECONNREFUSED) fs::remove(entry.path(), ec);
    }
    ::close(fd);
}

}  // namespace plat::objstore
