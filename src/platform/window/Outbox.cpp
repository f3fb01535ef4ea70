#include "platform/window/Outbox.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <vector>

#include "platform/window/MessagePort.h"
#include "platform/window/SocketIo.h"
#include "platform/window/UiLoop.h"

namespace plat {

namespace {

// Connections kept for reuse; beyond this many, the idle ones are closed.
constexpr size_t kMaxKeptConnections = 16;

std::atomic<uint32_t> sequences{1};

}  // namespace

struct Outbox::Connection {
    int fd = -1;
    std::vector<uint8_t> buffer;
    std::set<uint32_t> awaited;                 // sequences whose senders wait (nested sends)
    std::map<uint32_t, WireFrame> replies;      // replies read for one of them
    bool open = true;

    ~Connection() { CloseFd(fd); }
};

Outbox::~Outbox() = default;

std::shared_ptr<Outbox::Connection> Outbox::Connect(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                                    bool fresh, int timeoutMs) {
    const Key key{owner.pid, owner.startTime};
    if (!fresh) {
        const auto found = connections_.find(key);
        if (found != connections_.end() && found->second->open) return found->second;
    }
    auto connection = std::make_shared<Connection>();
    connection->fd = ConnectTo(socket, timeoutMs);
    if (connection->fd < 0) return nullptr;
    if (!fresh && IsUiThread()) {
        if (connections_.size() >= kMaxKeptConnections) {
            std::erase_if(connections_, [](const auto& item) { return item.second.use_count() == 1; });
        }
        connections_[key] = connection;
    }
    return connection;
}

std::shared_ptr<Outbox::Connection> Outbox::Deliver(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                                    const WireFrame& frame, int timeoutMs) {
    const bool kept = IsUiThread();
    const std::vector<uint8_t> bytes = EncodeFrame(frame);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto left = [&] {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        return std::max(0, static_cast<int>(ms.count()));
    };
    auto connection = Connect(owner, socket, !kept, left());
    if (connection && WriteAll(connection->fd, bytes, left())) return connection;
    if (!kept) return nullptr;
    // A kept connection may have been closed by a receiver that ended since: try a new one once.
    Forget(owner);
    connection = Connect(owner, socket, false, left());
    if (connection && WriteAll(connection->fd, bytes, left())) return connection;
    Forget(owner);
    return nullptr;
}

bool Outbox::Post(const ProcessIdentity& owner, const std::filesystem::path& socket, const WireFrame& frame,
                  int timeoutMs) {
    return Deliver(owner, socket, frame, timeoutMs) != nullptr;
}

std::optional<WireFrame> Outbox::Send(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                      WireFrame frame, int timeoutMs, MessagePort* port, bool& timedOut) {
    timedOut = false;
    frame.sequence = sequences.fetch_add(1);
    const auto connection = Deliver(owner, socket, frame, timeoutMs);
    if (!connection) return std::nullopt;
    connection->awaited.insert(frame.sequence);
    auto reply = AwaitReply(*connection, frame.sequence, timeoutMs, IsUiThread() ? port : nullptr, timedOut);
    connection->awaited.erase(frame.sequence);
    if (!connection->open && IsUiThread()) Forget(owner);
    return reply;
}

std::optional<WireFrame> Outbox::AwaitReply(Connection& connection, uint32_t sequence, int timeoutMs,
                                            MessagePort* port, bool& timedOut) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto found = connection.replies.find(sequence); found != connection.replies.end()) {
            WireFrame reply = std::move(found->second);
            connection.replies.erase(found);
            return reply;
        }
        if (!connection.open) return std::nullopt;
        std::vector<int> fds{connection.fd};
        if (port != nullptr) {
            const std::vector<int> own = port->Descriptors();
            fds.insert(fds.end(), own.begin(), own.end());
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        std::vector<bool> readable;
        if (left.count() <= 0 || !WaitReadable(fds, static_cast<int>(left.count()), readable)) {
            timedOut = true;
            return std::nullopt;
        }
        if (readable[0]) {
            connection.open = ReadAvailable(connection.fd, connection.buffer);
            WireFrame frame;
            size_t consumed = 0;
            FrameParse parse;
            while ((parse = DecodeFrame(connection.buffer, frame, consumed)) == FrameParse::Complete) {
                connection.buffer.erase(connection.buffer.begin(), connection.buffer.begin() + static_cast<ptrdiff_t>(consumed));
                if (frame.kind == winfmt::FrameKind::Reply && connection.awaited.count(frame.sequence) != 0) {
                    connection.replies[frame.sequence] = std::move(frame);
                }
            }
            if (parse == FrameParse::Bad) connection.open = false;
        }
        if (port != nullptr && std::find(readable.begin() + 1, readable.end(), true) != readable.end()) {
            port->ServiceAll();
        }
    }
}

void Outbox::Forget(const ProcessIdentity& owner) { connections_.erase(Key{owner.pid, owner.startTime}); }

}  // namespace plat
