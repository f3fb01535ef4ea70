#include "platform/window/MessagePort.h"

#include <unistd.h>

#include <algorithm>

#include "platform/window/SocketIo.h"
#include "platform/window/UiLoop.h"

namespace plat {

namespace {

// A reply goes to a sender that is waiting for it; one that no longer reads loses it after this.
constexpr int kReplyWriteTimeoutMs = 1000;

}  // namespace

struct MessagePort::Connection {
    int fd = -1;
    std::vector<uint8_t> buffer;
    std::unique_ptr<FdWatch> watch;
    bool open = true;
};

std::unique_ptr<MessagePort> MessagePort::Listen(const std::filesystem::path& socketPath, FrameHandler handler) {
    const int listener = ListenAt(socketPath);
    if (listener < 0) return nullptr;
    std::unique_ptr<MessagePort> port(new MessagePort(socketPath, listener, std::move(handler)));
    port->listenerWatch_ = std::make_unique<FdWatch>(listener, [raw = port.get()] { raw->AcceptWaiting(); });
    return port;
}

MessagePort::MessagePort(std::filesystem::path socketPath, int listener, FrameHandler handler)
    : socketPath_(std::move(socketPath)), listener_(listener), handler_(std::move(handler)) {}

MessagePort::~MessagePort() { Close(true); }

void MessagePort::Close(bool removeSocket) {
    if (listener_ < 0) return;
    listenerWatch_.reset();
    CloseFd(listener_);
    listener_ = -1;
    if (removeSocket) ::unlink(socketPath_.c_str());
    const auto connections = std::move(connections_);
    for (const auto& connection : connections) Drop(connection);
}

std::vector<int> MessagePort::Descriptors() const {
    std::vector<int> fds;
    if (listener_ >= 0) fds.push_back(listener_);
    for (const auto& connection : connections_) fds.push_back(connection->fd);
    return fds;
}

void MessagePort::ServiceAll() {
    AcceptWaiting();
    const auto connections = connections_;  // handlers may add or drop connections meanwhile
    for (const auto& connection : connections) Service(connection);
}

void MessagePort::AcceptWaiting() {
    if (listener_ < 0) return;
    for (int fd = AcceptFrom(listener_); fd >= 0; fd = AcceptFrom(listener_)) {
        auto connection = std::make_shared<Connection>();
        connection->fd = fd;
        std::weak_ptr<Connection> weak = connection;
        connection->watch = std::make_unique<FdWatch>(fd, [this, weak] {
            if (const auto alive = weak.lock()) Service(alive);
        });
        connections_.push_back(std::move(connection));
    }
}

void MessagePort::Service(const std::shared_ptr<Connection>& connection) {
    if (!connection->open) return;
    const bool open = ReadAvailable(connection->fd, connection->buffer);
    // Each frame leaves the buffer before it is handled: a handler that waits for another process
    // services this connection again, and must find only the frames after it.
    for (;;) {
        WireFrame frame;
        size_t consumed = 0;
        const FrameParse parse = DecodeFrame(connection->buffer, frame, consumed);
        if (parse == FrameParse::Bad) return Drop(connection);
        if (parse == FrameParse::NeedMore || !connection->open) break;
        connection->buffer.erase(connection->buffer.begin(), connection->buffer.begin() + static_cast<ptrdiff_t>(consumed));
        const std::optional<WireFrame> reply = handler_(frame);
        // A caller left without its reply times out and says so.
        if (reply && connection->open)
            (void)WriteAll(connection->fd, EncodeFrame(*reply), kReplyWriteTimeoutMs);
    }
    if (!open) Drop(connection);
}

void MessagePort::Drop(const std::shared_ptr<Connection>& connection) {
    if (!connection->open) return;
    connection->open = false;
    connection->watch.reset();
    CloseFd(connection->fd);
    connection->buffer.clear();
    std::erase(connections_, connection);
}

}  // namespace plat
