#include "platform/objectstore/CleanClose.h"

#include <sys/stat.h>
#include <time.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/shm/ImageFile.h"

namespace fs = std::filesystem;

namespace plat::objstore {

namespace {

constexpr size_t kMarkMax = 256;
constexpr std::string_view kDamagedMark = "damaged 1\n";
// How long a close waits for the file system's clock to move past the file's last change.
constexpr auto kTickWait = std::chrono::milliseconds(50);

int64_t Nanos(const timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }

std::optional<struct stat> StatOf(const fs::path& file) {
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return status;
}

// The mark's text for the file as it is now.
std::string MarkText(const struct stat& status) {
    return "clean 1 " + std::to_string(status.st_dev) + " " + std::to_string(status.st_ino) + " " +
           std::to_string(status.st_size) + " " + std::to_string(Nanos(status.st_mtim)) + " " +
           std::to_string(Nanos(status.st_ctim)) + "\n";
}

std::optional<std::string> ReadMark(const fs::path& mark) {
    InputFile in;
    if (!in.Open(mark) || in.Size() > kMarkMax) return std::nullopt;
    std::vector<uint8_t> bytes(in.Size());
    if (!in.ReadAll(bytes)) return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}

// No log file, or an empty one (a connection that wrote nothing, or a crash before any write).
bool NoLoggedChanges(const fs::path& file) {
    const auto log = StatOf(fs::path(file.string() + "-wal"));
    if (log) return log->st_size == 0;
    std::error_code ec;
    return !fs::exists(fs::symlink_status(fs::path(file.string() + "-wal"), ec));
}

int64_t CoarseNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return Nanos(now);
}

// File times come from the kernel's coarse clock, so a write later in the same tick as the last
// one would leave the times as they are. Waits until that clock has moved past the file's last
// change; false when it does not in time.
bool ClockPast(const struct stat& status) {
    const int64_t changed = std::max(Nanos(status.st_mtim), Nanos(status.st_ctim));
    const auto until = std::chrono::steady_clock::now() + kTickWait;
    while (CoarseNow() <= changed) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void WriteMark(const fs::path& file, std::string_view text) {
    FileReplacement mark(CleanCloseMark(file));
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!mark.Begin() || !mark.Write(std::span(bytes, text.size())) || !mark.Commit()) mark.Abandon();
}

}  // namespace

fs::path CleanCloseMark(const fs::path& file) { return fs::path(file.string() + "-clean"); }

bool UnchangedSinceCleanClose(const fs::path& file) {
    const auto status = StatOf(file);
    if (!status || !NoLoggedChanges(file)) return false;
    const auto mark = ReadMark(CleanCloseMark(file));
    return mark && *mark == MarkText(*status);
}

void MarkDamagedFile(const fs::path& file) { WriteMark(file, kDamagedMark); }

void ForgetDamage(const fs::path& file) {
    if (ReadMark(CleanCloseMark(file)) != kDamagedMark) return;
    std::error_code ec;
    fs::remove(CleanCloseMark(file), ec);
}

void MarkCleanClose(const fs::path& file) {
    if (!NoLoggedChanges(file) || ReadMark(CleanCloseMark(file)) == kDamagedMark) return;
    const auto before = StatOf(file);
    if (!before || !ClockPast(*before)) return;
    const auto after = StatOf(file);
    if (!after || MarkText(*after) != MarkText(*before) || !NoLoggedChanges(file)) return;
    const std::string text = MarkText(*after);
    if (ReadMark(CleanCloseMark(file)) != text) WriteMark(file, text);
}

}  // namespace plat::objstore
