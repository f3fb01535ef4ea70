#pragma once
// The windows of a device as the namespace lists them: one entry file per window, one listening
// socket per process that owns windows, the handle counter. Entries of a process that no longer
// runs are stale: whoever comes across one removes it.
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/window/WindowEntry.h"

namespace plat {

class WindowDirectory {
public:
    // The window folder of the namespace folder `namespaceDir`, created private to the user.
    explicit WindowDirectory(const std::filesystem::path& namespaceDir);

    const std::filesystem::path& Folder() const { return folder_; }
    [[nodiscard]] bool Ready() const { return ready_; }

    [[nodiscard]] bool Publish(const WindowEntry& entry);
    void Remove(HWND handle);

    // The entry of a listed window whose owner still runs.
    std::optional<WindowEntry> Lookup(HWND handle);
    // The most recently created top-level window of the class (names compared without regard to
    // case) whose owner still runs.
    std::optional<WindowEntry> FindTopLevel(std::u16string_view className);
    // Every top-level window whose owner still runs, in no particular order.
    std::vector<WindowEntry> LiveTopLevel();

    std::filesystem::path SocketPath(const ProcessIdentity& process) const;
    // Removes the sockets of processes that no longer run.
    void RemoveStaleSockets();

    // A handle that no listed window has; 0 when the counter file cannot be used. A counter that is
    // missing or damaged starts again above the highest listed handle.
    HWND AllocateHandle();

private:
    std::filesystem::path EntryPath(HWND handle) const;
    std::vector<HWND> ListedHandles() const;
    HWND NextFreeHandle(HWND last) const;

    std::filesystem::path folder_;
    bool ready_ = false;
};

}  // namespace plat
