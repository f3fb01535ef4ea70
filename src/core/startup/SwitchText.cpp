#include "core/startup/SwitchText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/Folders.h"
#include "platform/device/Device.h"
#include "platform/objectstore/Utf16Bytes.h"

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::u16string FolderOf(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    return std::u16string(slash == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, slash + 1));
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

std::vector<uint8_t> Encode(std::u16string_view text) {
    std::vector<uint8_t> bytes = plat::objstore::Utf16Bytes(text);
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

Str Decode(const std::vector<uint8_t>& bytes) {
    std::u16string text;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return Str(text);
}

bool ReadAll(int fd, size_t size, std::vector<uint8_t>& bytes) {
    bytes.resize(size);
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return true;
}

}  // namespace

std::optional<std::filesystem::path> SwitchTextPath() {
    std::u16string folder(ProgramFolder().View());
    if (folder.empty()) folder = FolderOf(plat::CurrentDevice().ModulePath());
    return plat::CurrentDevice().HostPath(folder + std::u16string(kSwitchTextFile));
}

bool StoreSwitchText(std::u16string_view text) {
    const std::optional<std::filesystem::path> path = SwitchTextPath();
    if (!path) return false;
    std::string temporary = (path->parent_path() / ".param.tmp.XXXXXX").string();
    const Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    if (!WriteAll(fd.get(), Encode(text)) || ::fsync(fd.get()) != 0 ||
        ::rename(temporary.c_str(), path->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool TakeSwitchText(Str& out) {
    out = Str();
    const std::optional<std::filesystem::path> path = SwitchTextPath();
    if (!path) return false;
    const Fd fd(::open(path->c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::vector<uint8_t> bytes;
    if (static_cast<uintmax_t>(info.st_size) < kSwitchTextLimit &&
        ReadAll(fd.get(), static_cast<size_t>(info.st_size), bytes)) {
        out = Decode(bytes);
    }
    ::unlink(path->c_str());
    return true;
}
