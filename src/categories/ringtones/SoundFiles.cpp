#include "categories/ringtones/SoundFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "categories/ringtones/RingtoneManager.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "core/str/Quoted.h"
#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/sound/Wave.h"

namespace fs = std::filesystem;

namespace {

// The texts of SoundProblem: string resources with the quoted path for their %s.
constexpr uint32_t kStrMissing = 43840, kStrUnreadable = 43841, kStrNotPlayable = 43842;

// ASCII lower case: enough to compare device paths and the ".wav" ending.
std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& ch : folded) {
        if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch - u'A' + u'a');
    }
    return folded;
}

void AddOnce(std::vector<Str>& list, const Str& item) {
    const std::u16string key = Folded(item.View());
    const bool present = std::any_of(list.begin(), list.end(), [&](const Str& s) { return Folded(s.View()) == key; });
    if (!present) list.push_back(item);
}

std::vector<Str> WaveFilesIn(const Str& folder) {
    std::vector<Str> names;
    const auto host = plat::CurrentDevice().HostPath(folder.View());
    if (!host) return names;
    std::error_code error;
    for (fs::directory_iterator it(*host, error), end; !error && it != end; it.increment(error)) {
        const std::u16string name = it->path().filename().u16string();
        std::error_code typeError;
        if (Folded(name).ends_with(u".wav") && it->is_regular_file(typeError)) names.emplace_back(name);
    }
    std::sort(names.begin(), names.end(), [](const Str& a, const Str& b) { return Folded(a.View()) < Folded(b.View()); });
    return names;
}

Str Joined(const Str& folder, const Str& name) {
    std::u16string path(folder.View());
    if (!path.ends_with(u'\\')) path += u'\\';
    return Str(path + std::u16string(name.View()));
}

// The whole file, or the reason it cannot be had.
SoundStatus ReadWhole(const fs::path& host, std::vector<uint8_t>& bytes) {
    const int fd = plat::OpenRegularForReading(host);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? SoundStatus::Missing : SoundStatus::Unreadable;
    struct stat info {};
    SoundStatus status = SoundStatus::Playable;
    if (::fstat(fd, &info) != 0) {
        status = SoundStatus::Unreadable;
    } else if (static_cast<uintmax_t>(info.st_size) > kMaxRingtoneBytes) {
        status = SoundStatus::NotPlayable;
    } else {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        if (done != bytes.size()) status = SoundStatus::Unreadable;
    }
    ::close(fd);
    return status;
}

}  // namespace

std::vector<Str> RingtoneFolders() {
    std::vector<Str> folders;
    const Str last = SettingsStore::ReadString(settings::kSettings, settings::kLastSoundPath, u"");
    if (!last.IsEmpty()) folders.push_back(last);
    // The folder of the platform's own ring sound, when that is a path of the device.
    const Str system = RingtoneManager::SystemRingtone();
    if (system.View().starts_with(u'\\')) AddOnce(folders, FolderOfPath(system));
    for (const std::u16string_view folder : kRingtoneFolders) AddOnce(folders, Str(folder));
    return folders;
}

std::vector<Str> FindRingtones(const std::vector<Str>& folders) {
    std::vector<Str> files;
    for (const Str& folder : folders) {
        for (const Str& name : WaveFilesIn(folder)) AddOnce(files, Joined(folder, name));
    }
    return files;
}

SoundFile ReadSoundFile(const Str& devicePath) {
    SoundFile file;
    const auto host = plat::CurrentDevice().HostPath(devicePath.View());
    if (devicePath.IsEmpty() || !host) return file;
    file.status = ReadWhole(*host, file.wav);
    if (file.status == SoundStatus::Playable && !plat::ParseWave(file.wav)) file.status = SoundStatus::NotPlayable;
    if (file.status != SoundStatus::Playable) file.wav.clear();
    return file;
}

Str SoundProblem(SoundStatus status, const Str& devicePath) {
    uint32_t text = 0;
    switch (status) {
        case SoundStatus::Playable: return {};
        case SoundStatus::Missing: text = kStrMissing; break;
        case SoundStatus::Unreadable: text = kStrUnreadable; break;
        case SoundStatus::NotPlayable: text = kStrNotPlayable; break;
    }
    const Str quoted(Quoted(devicePath.View()));
    Str problem;
    if (text != 0 && !problem.FormatRes(text, quoted)) problem = quoted;
    return problem;
}

SoundStatus PlayRingtone(const Str& devicePath) {
    const SoundFile file = ReadSoundFile(devicePath);
    if (file.status != SoundStatus::Playable) return file.status;
    return plat::StartSoundData(devicePath.View(), file.wav) ? SoundStatus::Playable : SoundStatus::NotPlayable;
}

Str FolderOfPath(const Str& devicePath) {
    const std::u16string_view path = devicePath.View();
    const size_t slash = path.find_last_of(u'\\');
    if (slash == std::u16string_view::npos || slash == 0) return Str(u"\\");
    return Str(path.substr(0, slash));
}

bool RememberSoundFolder(const Str& devicePath) {
    return SettingsStore::WriteString(settings::kSettings, settings::kLastSoundPath, FolderOfPath(devicePath).View());
}

std::optional<Str> DevicePathOfHost(const fs::path& host) {
    std::error_code error;
    const fs::path real = fs::weakly_canonical(host, error);
    if (error) return std::nullopt;
    const fs::path relative = real.lexically_relative(plat::CurrentDevice().Root());
    if (relative.empty() || *relative.begin() == "..") return std::nullopt;
    std::u16string path;
    for (const fs::path& part : relative) {
        if (part == ".") continue;
        path += u'\\';
        path += part.u16string();
    }
    if (path.empty()) return std::nullopt;
    return Str(path);
}
