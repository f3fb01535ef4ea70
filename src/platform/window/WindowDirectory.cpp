#include "platform/window/WindowDirectory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <system_error>

#include "platform/device/HostFiles.h"
#include "platform/window/NameCompare.h"
#include "platform/window/SmallFiles.h"
#include "platform/window/WindowFormat.h"
#include "platform/window/WireBytes.h"

namespace fs = std::filesystem;

namespace plat {

using namespace winfmt;

namespace {

constexpr size_t kMaxEntryBytes = kEntryClassAt + 2 * kMaxClassLength;

bool IsHandle(HWND handle) { return handle != 0 && handle % kHandleStep == 0; }

// The handle an entry file's name gives: 8 lower-case hex digits and the suffix.
std::optional<HWND> HandleOfEntryName(const std::string& name) {
    if (name.size() != 8 + std::string_view(kEntrySuffix).size() || !name.ends_with(kEntrySuffix)) return std::nullopt;
    HWND handle = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + 8, handle, 16);
    if (ec != std::errc() || end != name.data() + 8 || !IsHandle(handle)) return std::nullopt;
    for (size_t i = 0; i < 8; ++i) {
        if (name[i] >= 'A' && name[i] <= 'F') return std::nullopt;
    }
    return handle;
}

// The process a socket file's name gives: "<pid>-<start time>.sock".
std::optional<ProcessIdentity> ProcessOfSocketName(const std::string& name) {
    if (!name.ends_with(kSocketSuffix)) return std::nullopt;
    const std::string_view stem(name.data(), name.size() - std::string_view(kSocketSuffix).size());
    const size_t dash = stem.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    ProcessIdentity process;
    const auto pid = std::from_chars(stem.data(), stem.data() + dash, process.pid);
    const auto start = std::from_chars(stem.data() + dash + 1, stem.data() + stem.size(), process.startTime);
    if (pid.ec != std::errc() || pid.ptr != stem.data() + dash || start.ec != std::errc() ||
        start.ptr != stem.data() + stem.size()) {
        return std::nullopt;
    }
    return process;
}

HWND StepHandle(HWND handle) {
    return handle > UINT32_MAX - kHandleStep || handle < kFirstHandle ? kFirstHandle : handle + kHandleStep;
}

// Remembers which owners were found running during one scan, so each is asked once.
class LivenessMemo {
public:
    bool Alive(const ProcessIdentity& owner) {
        const auto key = std::make_pair(owner.pid, owner.startTime);
        const auto found = known_.find(key);
        if (found != known_.end()) return found->second;
        return known_[key] = IsAlive(owner);
    }

private:
    std::map<std::pair<uint32_t, uint64_t>, bool> known_;
};

}  // namespace

WindowDirectory::WindowDirectory(const fs::path& namespaceDir) : folder_(namespaceDir / kFolder) {
    ready_ = (::mkdir(folder_.c_str(), 0700) == 0 || errno == EEXIST) && fs::is_directory(folder_);
}

fs::path WindowDirectory::EntryPath(HWND handle) const {
    char name[9];
    std::snprintf(name, sizeof name, "%08x", handle);
    return folder_ / (std::string(name) + kEntrySuffix);
}

fs::path WindowDirectory::SocketPath(const ProcessIdentity& process) const {
    return folder_ / (std::to_string(process.pid) + "-" + std::to_string(process.startTime) + kSocketSuffix);
}

bool WindowDirectory::Publish(const WindowEntry& entry) {
    const std::vector<uint8_t> bytes = EncodeWindowEntry(entry);
    return ready_ && IsHandle(entry.handle) && ReplaceSmallFile(EntryPath(entry.handle), bytes);
}

void WindowDirectory::Remove(HWND handle) {
    if (IsHandle(handle)) ::unlink(EntryPath(handle).c_str());
}

std::optional<WindowEntry> WindowDirectory::Lookup(HWND handle) {
    if (!IsHandle(handle)) return std::nullopt;
    const auto bytes = ReadSmallFile(EntryPath(handle), kMaxEntryBytes);
    if (!bytes) return std::nullopt;
    auto entry = DecodeWindowEntry(*bytes);
    if (!entry || entry->handle != handle) return std::nullopt;
    if (!IsAlive(entry->owner)) {
        Remove(handle);
        return std::nullopt;
    }
    return entry;
}

std::optional<WindowEntry> WindowDirectory::FindTopLevel(std::u16string_view className) {
    std::optional<WindowEntry> newest;
    for (WindowEntry& entry : LiveTopLevel()) {
        if (SameNameIgnoringCase(entry.className, className) && (!newest || entry.handle > newest->handle)) {
            newest = std::move(entry);
        }
    }
    return newest;
}

std::vector<WindowEntry> WindowDirectory::LiveTopLevel() {
    std::vector<WindowEntry> live;
    LivenessMemo memo;
    for (const HWND handle : ListedHandles()) {
        const auto bytes = ReadSmallFile(EntryPath(handle), kMaxEntryBytes);
        auto entry = bytes ? DecodeWindowEntry(*bytes) : std::nullopt;
        if (!entry || entry->handle != handle) continue;
        if (!memo.Alive(entry->owner)) {
            Remove(handle);
        } else if (entry->topLevel) {
            live.push_back(std::move(*entry));
        }
    }
    return live;
}

std::vector<HWND> WindowDirectory::ListedHandles() const {
    std::vector<HWND> handles;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder_, ec)) {
        if (const auto handle = HandleOfEntryName(item.path().filename().string())) handles.push_back(*handle);
    }
    return handles;
}

void WindowDirectory::RemoveStaleSockets() {
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder_, ec)) {
        const auto process = ProcessOfSocketName(item.path().filename().string());
        if (process && !IsAlive(*process)) ::unlink(item.path().c_str());
    }
}

HWND WindowDirectory::NextFreeHandle(HWND last) const {
    HWND next = StepHandle(last);
    while (fs::exists(EntryPath(next))) next = StepHandle(next);
    return next;
}

HWND WindowDirectory::AllocateHandle() {
    if (!ready_) return 0;
    const fs::path file = folder_ / kHandleCounterFile;
    const int fd = OpenRegularForUpdate(file);
    if (fd < 0) return 0;
    HWND next = 0;
    if (::flock(fd, LOCK_EX) == 0) {
        uint8_t bytes[4] = {};
        struct stat info {};
        const bool whole = ::fstat(fd, &info) == 0 && info.st_size == 4 && ::pread(fd, bytes, 4, 0) == 4;
        HWND last = whole ? LoadLe32(bytes) : 0;
        if (!IsHandle(last) || last < kFirstHandle) {
            const std::vector<HWND> listed = ListedHandles();
            last = listed.empty() ? 0 : *std::max_element(listed.begin(), listed.end());
        }
        next = NextFreeHandle(last);
        StoreLe32(bytes, next);
        if (::pwrite(fd, bytes, 4, 0) != 4 || ::ftruncate(fd, 4) != 0) next = 0;
    }
    ::close(fd);
    return next;
}

}  // namespace plat
