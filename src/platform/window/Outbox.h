#pragma once
// The sending side of a process: frames to the sockets of other processes. On the
// user-interface thread the connection to each process is kept and reused (so the messages of
// one sender arrive in order), and a sender waiting for a reply keeps answering the messages sent
// to its own windows, so two processes that send to each other do not lock up. Other threads use
// a connection of their own for each call.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/window/ProcessIdentity.h"
#include "platform/window/WireFrame.h"

namespace plat {

class MessagePort;

class Outbox {
public:
    Outbox() = default;
    ~Outbox();
    Outbox(const Outbox&) = delete;
    Outbox& operator=(const Outbox&) = delete;

    // Delivers a frame that wants no answer; false when the process cannot be reached.
    [[nodiscard]] bool Post(const ProcessIdentity& owner, const std::filesystem::path& socket,
                            const WireFrame& frame, int timeoutMs);

    // Sends a frame and waits at most `timeoutMs` for its reply, answering the frames that reach
    // `port` (may be null) meanwhile. Nothing on time-out or when the process goes away; `timedOut`
    // tells which.
    std::optional<WireFrame> Send(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                  WireFrame frame, int timeoutMs, MessagePort* port, bool& timedOut);

private:
    struct Connection;
    using Key = std::pair<uint32_t, uint64_t>;

    // The kept connection to the process, or a new one (waiting at most `timeoutMs` for a busy
    // receiver to take it).
    std::shared_ptr<Connection> Connect(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                        bool fresh, int timeoutMs);
    std::shared_ptr<Connection> Deliver(const ProcessIdentity& owner, const std::filesystem::path& socket,
                                        const WireFrame& frame, int timeoutMs);
    std::optional<WireFrame> AwaitReply(Connection& connection, uint32_t sequence, int timeoutMs,
                                        MessagePort* port, bool& timedOut);
    void Forget(const ProcessIdentity& owner);

    std::map<Key, std::shared_ptr<Connection>> connections_;  // user-interface thread only
};

}  // namespace plat
