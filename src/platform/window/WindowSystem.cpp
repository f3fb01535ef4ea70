#include "platform/window/WindowSystem.h"

#include <mutex>
#include <stdexcept>

#include "platform/device/Device.h"
#include "platform/loop/EventLoop.h"
#include "platform/window/MessagePort.h"
#include "platform/window/MessageTable.h"
#include "platform/window/Messages.h"
#include "platform/window/UiLoop.h"
#include "platform/window/Window.h"
#include "platform/window/WindowFormat.h"

namespace plat {

using winfmt::FrameKind;

namespace {

std::mutex currentMutex;

std::shared_ptr<WindowSystem>& CurrentSlot() {
    static std::shared_ptr<WindowSystem> slot;
    return slot;
}

template <typename T = bool>
T Fail(uint32_t error, std::string why) {
    SetLastError(error, std::move(why));
    return T{};
}

void ShutdownAtExit() { WindowSystem::Shutdown(); }

// Puts the parameters of a message for another process into its frame; false (last error set)
// when they cannot travel. WM_COPYDATA's bytes become the payload and its dwData the lParam.
bool PackParameters(uint32_t message, WPARAM wParam, LPARAM lParam, WireFrame& frame) {
    if (!WParamTravels(wParam) || (message != WM_COPYDATA && !LParamTravels(lParam))) {
        return Fail(ERROR_INVALID_PARAMETER, "a parameter does not fit in 32 bits");
    }
    frame.wParam = ToWire(wParam);
    frame.lParam = ToWire(lParam);
    if (message != WM_COPYDATA) return true;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || !WParamTravels(data->dwData) || data->cbData > winfmt::kMaxPayload ||
        (data->cbData > 0 && data->lpData == nullptr)) {
        return Fail(ERROR_INVALID_PARAMETER, "WM_COPYDATA needs its data, 16 MiB at most");
    }
    const auto* bytes = static_cast<const uint8_t*>(data->lpData);
    frame.lParam = ToWire(data->dwData);
    frame.payload.assign(bytes, bytes + data->cbData);
    return true;
}

// An old window system lets its windows go on the user-interface thread, where its sockets are
// watched; a forked child lets its parent's go at once, leaving the files to the parent.
void ReleaseOld(std::shared_ptr<WindowSystem> old, bool sameProcess) {
    if (!sameProcess || !HasApplication() || IsUiThread()) {
        old->Release(sameProcess);
    } else {
        RunOnUiThread([old = std::move(old)] { old->Release(true); });
    }
}

}  // namespace

std::shared_ptr<WindowSystem> WindowSystem::Current() {
    std::shared_ptr<WindowSystem> old;
    std::shared_ptr<WindowSystem> current;
    const uint32_t pid = CurrentPid();
    {
        const std::lock_guard lock(currentMutex);
        std::shared_ptr<WindowSystem>& slot = CurrentSlot();
        const uint64_t generation = CurrentDeviceGeneration();
        if (!slot || slot->generation_ != generation || slot->self_.pid != pid) {
            old = std::move(slot);
            slot = std::make_shared<WindowSystem>(generation, CurrentProcess());
        }
        current = slot;
    }
    if (old) {
        const bool sameProcess = old->self_.pid == pid;
        ReleaseOld(std::move(old), sameProcess);
    }
    return current;
}

void WindowSystem::Shutdown() {
    std::shared_ptr<WindowSystem> old;
    {
        const std::lock_guard lock(currentMutex);
        old = std::move(CurrentSlot());
    }
    if (old) old->Release(old->self_.pid == CurrentPid());
}

WindowSystem::WindowSystem(uint64_t generation, ProcessIdentity self) : generation_(generation), self_(self) {}

WindowSystem::~WindowSystem() = default;

void WindowSystem::Release(bool removeFiles) {
    for (const HWND handle : windows_->TakeAll()) {
        if (removeFiles && directory_) directory_->Remove(handle);
    }
    if (port_) port_->Close(removeFiles);
    port_.reset();
}

WindowDirectory* WindowSystem::Directory() {
    if (!directoryTried_) {
        directoryTried_ = true;
        try {
            if (HasCurrentDevice()) directory_ = std::make_unique<WindowDirectory>(CurrentDevice().NamespaceDir());
        } catch (const std::exception&) {
            directory_.reset();  // the namespace folder cannot be used: nothing is listed
        }
    }
    if (directory_ && directory_->Ready()) return directory_.get();
    SetLastError(ERROR_GEN_FAILURE, "the device namespace cannot hold windows");
    return nullptr;
}

bool WindowSystem::EnsurePort() {
    if (port_) return true;
    WindowDirectory* directory = Directory();
    if (directory == nullptr) return false;
    directory->RemoveStaleSockets();
    std::weak_ptr<WindowSystem> weak = weak_from_this();
    port_ = MessagePort::Listen(directory->SocketPath(self_), [weak](const WireFrame& frame) {
        const auto system = weak.lock();
        return system ? system->HandleFrame(frame) : std::nullopt;
    });
    static std::once_flag hooked;
    std::call_once(hooked, [] { AtApplicationExit(&ShutdownAtExit); });
    return port_ != nullptr || Fail(ERROR_GEN_FAILURE, "cannot listen at " + directory->SocketPath(self_).string());
}

HWND WindowSystem::Create(std::u16string_view className, WndProc proc, HWND parent, void* createParams,
                          std::u16string_view title) {
    if (className.empty() || className.size() > winfmt::kMaxClassLength || !proc) {
        return Fail<HWND>(ERROR_INVALID_PARAMETER, "a window needs a class name of 1 to 256 units and a procedure");
    }
    EnsureApplication();
    if (!IsUiThread()) return Fail<HWND>(ERROR_ACCESS_DENIED, "windows are created on the user-interface thread");
    if (parent != 0 && !windows_->Contains(parent)) {
        return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, "the parent is not a window of this process");
    }
    if (!EnsurePort()) return 0;
    const HWND handle = directory_->AllocateHandle();
    if (handle == 0) return Fail<HWND>(ERROR_GEN_FAILURE, "no window handle can be allocated");
    const WindowEntry entry{handle, self_, parent == 0, std::u16string(className)};
    windows_->Add(LocalWindow{handle, parent, entry.className, std::make_shared<const WndProc>(std::move(proc))});
    if (!directory_->Publish(entry)) {
        windows_->Remove(handle);
        return Fail<HWND>(ERROR_GEN_FAILURE, "the window cannot be listed on the device");
    }
    CREATESTRUCT create{createParams, parent, className, title};
    const auto answer = windows_->Call(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
    if (answer == -1) {
        (void)Destroy(handle);  // the creation failed already; the window goes either way
        return Fail<HWND>(ERROR_INVALID_WINDOW_HANDLE, "the window refused its creation");
    }
    return windows_->Contains(handle) ? handle : 0;
}

bool WindowSystem::Destroy(HWND window) {
    if (!windows_->BeginDestroy(window)) {
        if (windows_->Contains(window)) return true;  // already on its way out
        return Exists(window) ? Fail(ERROR_ACCESS_DENIED, "the window belongs to another process")
                              : Fail(ERROR_INVALID_WINDOW_HANDLE, "no such window");
    }
    windows_->Call(window, WM_DESTROY, 0, 0);
    // A child goes with its parent either way.
    for (const HWND child : windows_->ChildrenOf(window)) (void)Destroy(child);
    windows_->Remove(window);
    if (directory_) directory_->Remove(window);
    return true;
}

bool WindowSystem::Exists(HWND window) {
    if (windows_->Contains(window)) return true;
    WindowDirectory* directory = Directory();
    const auto entry = directory ? directory->Lookup(window) : std::nullopt;
    return entry && entry->owner != self_;
}

HWND WindowSystem::Find(std::u16string_view className) {
    WindowDirectory* directory = Directory();
    const auto entry = directory ? directory->FindTopLevel(className) : std::nullopt;
    return entry ? entry->handle : 0;
}

std::vector<HWND> WindowSystem::TopLevel() {
    std::vector<HWND> handles;
    if (WindowDirectory* directory = Directory()) {
        for (const WindowEntry& entry : directory->LiveTopLevel()) handles.push_back(entry.handle);
    }
    return handles;
}

std::optional<WindowEntry> WindowSystem::RemoteEntry(HWND window) {
    WindowDirectory* directory = Directory();
    if (directory == nullptr) return std::nullopt;
    auto entry = directory->Lookup(window);
    // An entry of this process for a window it no longer has is a left-over: no such window.
    if (!entry || entry->owner == self_) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE, "no such window");
        return std::nullopt;
    }
    return entry;
}

bool WindowSystem::PostFrame(HWND window, const WireFrame& frame) {
    const auto entry = RemoteEntry(window);
    if (!entry) return false;
    return outbox_.Post(entry->owner, directory_->SocketPath(entry->owner), frame, kSendMessageTimeoutMs) ||
           Fail(ERROR_INVALID_WINDOW_HANDLE, "the window's process cannot be reached");
}

bool WindowSystem::Post(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return Fail(ERROR_MESSAGE_SYNC_ONLY, "WM_COPYDATA can only be sent");
    if (windows_->Contains(window)) {
        windows_->Post(window, message, wParam, lParam);
        return true;
    }
    WireFrame frame{FrameKind::Post, 0, window, message, 0, 0, {}};
    return PackParameters(message, wParam, lParam, frame) && PostFrame(window, frame);
}

bool WindowSystem::Send(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam, int timeoutMs,
                        LRESULT& result) {
    if (const auto answer = windows_->Call(window, message, wParam, lParam)) {
        result = *answer;
        return true;
    }
    WireFrame frame{FrameKind::Send, 0, window, message, 0, 0, {}};
    if (!PackParameters(message, wParam, lParam, frame)) return false;
    const auto entry = RemoteEntry(window);
    if (!entry) return false;
    bool timedOut = false;
    const auto reply = outbox_.Send(entry->owner, directory_->SocketPath(entry->owner), std::move(frame), timeoutMs,
                                    IsUiThread() ? port_.get() : nullptr, timedOut);
    if (!reply) {
        return timedOut ? Fail(ERROR_TIMEOUT, "the window's process did not answer in time")
                        : Fail(ERROR_INVALID_WINDOW_HANDLE, "the window's process went away");
    }
    if (reply->message != 1) return Fail(ERROR_INVALID_WINDOW_HANDLE, "the window no longer exists");
    result = LParamFromWire(reply->lParam);
    return true;
}

bool WindowSystem::Foreground(HWND markedWindow) {
    const HWND window = markedWindow & ~HWND{1};
    if (windows_->Contains(window)) {
        RecordForegroundRequest(markedWindow);
        return true;
    }
    return PostFrame(window, WireFrame{FrameKind::Foreground, 0, markedWindow, 0, 0, 0, {}});
}

uint32_t WindowSystem::RegisterMessage(std::u16string_view name) {
    WindowDirectory* directory = Directory();
    return directory ? RegisterMessageName(directory->Folder(), name) : 0;
}

std::optional<WireFrame> WindowSystem::HandleFrame(const WireFrame& frame) {
    switch (frame.kind) {
        case FrameKind::Post:
            if (windows_->Contains(frame.window)) {
                windows_->Post(frame.window, frame.message, WParamFromWire(frame.wParam), LParamFromWire(frame.lParam));
            }
            return std::nullopt;
        case FrameKind::Send:
            return HandleSend(frame);
        case FrameKind::Foreground:
            if (windows_->Contains(frame.window & ~HWND{1})) RecordForegroundRequest(frame.window);
            return std::nullopt;
        case FrameKind::Reply:
            break;
    }
    return std::nullopt;
}

std::optional<WireFrame> WindowSystem::HandleSend(const WireFrame& frame) {
    LPARAM lParam = LParamFromWire(frame.lParam);
    COPYDATASTRUCT data;
    if (frame.message == WM_COPYDATA) {
        data = COPYDATASTRUCT{WParamFromWire(frame.lParam), static_cast<uint32_t>(frame.payload.size()),
                              frame.payload.data()};
        lParam = reinterpret_cast<LPARAM>(&data);
    }
    WireFrame reply{FrameKind::Reply, frame.sequence, frame.window, 0, 0, 0, {}};
    if (const auto answer = windows_->Call(frame.window, frame.message, WParamFromWire(frame.wParam), lParam)) {
        reply.message = 1;
        reply.lParam = ToWire(*answer);
    }
    return reply;
}

}  // namespace plat
