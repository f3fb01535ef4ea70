#pragma once
// The listening side of a process: the socket at which other processes of the device reach this
// process's windows, the connections they opened, and the frames read from them. Everything here
// runs on the user-interface thread.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/window/WireFrame.h"

namespace plat {

class FdWatch;

class MessagePort {
public:
    // Handles one frame; a frame that wants an answer (a send) returns the reply to write back.
    using FrameHandler = std::function<std::optional<WireFrame>(const WireFrame&)>;

    // Listens at `socketPath`; null when the socket cannot be made.
    static std::unique_ptr<MessagePort> Listen(const std::filesystem::path& socketPath, FrameHandler handler);
    // Stops listening; `removeSocket` also removes the socket file (not in a forked child, whose
    // parent still listens there).
    void Close(bool removeSocket);
    ~MessagePort();
    MessagePort(const MessagePort&) = delete;
    MessagePort& operator=(const MessagePort&) = delete;

    // The descriptors a waiting sender watches so that this process still answers while it waits.
    std::vector<int> Descriptors() const;
    // Accepts waiting connections and handles every complete frame that can be read now.
    void ServiceAll();

private:
    struct Connection;

    MessagePort(std::filesystem::path socketPath, int listener, FrameHandler handler);
    void AcceptWaiting();
    void Service(const std::shared_ptr<Connection>& connection);
    void Drop(const std::shared_ptr<Connection>& connection);

    std::filesystem::path socketPath_;
    int listener_;
    FrameHandler handler_;
    std::unique_ptr<FdWatch> listenerWatch_;
    std::vector<std::shared_ptr<Connection>> connections_;
};

}  // namespace plat
