#include "platform/sound/SoundPlayer.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/pom/ProgramLog.h"
#include "platform/programs/Desktop.h"
#include "platform/programs/Spawn.h"
#include "platform/sound/Wave.h"

extern char** environ;

namespace plat {

namespace {

class ThreadSleeper : public Sleeper {
public:
    void Sleep(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

std::string HostPlayer() {
    for (const char* name : {"paplay", "aplay"}) {
        std::string path = FindOnPath(name);
        if (!path.empty()) return path;
    }
    return {};
}

// A host player started on a temporary copy of the sound.
struct HostPlay {
    pid_t pid = 0;
    std::filesystem::path file;
};

// Writes the data to a temporary file and starts the host player on it. No process (pid 0) when
// it could not start; the file is then gone already.
HostPlay StartOnHost(const std::string& player, std::span<const uint8_t> wav) {
    HostPlay play;
    {
        const int fd = CreateUniqueFile(CurrentDevice().NamespaceDir() / "sound-", play.file);
        if (fd < 0) return {};
        const bool written = ::write(fd, wav.data(), wav.size()) == static_cast<ssize_t>(wav.size());
        ::close(fd);
        if (!written) {
            ::unlink(play.file.c_str());
            return {};
        }
    }
    std::vector<std::string> args = {player};
    if (player.ends_with("aplay")) args.push_back("-q");
    args.push_back(play.file.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&play.pid, player.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        ::unlink(play.file.c_str());
        return {};
    }
    return play;
}

// Waits for the player to end (or ends it first when `stop`) and removes its file. True when it
// ended by itself with success.
bool FinishOnHost(HostPlay& play, bool stop) {
    if (play.pid == 0) return false;
    if (stop) ::kill(play.pid, SIGTERM);
    int status = 0;
    ::waitpid(play.pid, &status, 0);
    std::error_code ignored;
    std::filesystem::remove(play.file, ignored);
    play = {};
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Plays the data through the host player and waits for it to end. False when it could not run.
bool PlayOnHost(const std::string& player, std::span<const uint8_t> wav) {
    HostPlay play = StartOnHost(player, wav);
    return FinishOnHost(play, false);
}

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// The format of the sound, once its playing is logged; nothing (and no line) for data that is not
// 16-bit PCM WAV.
std::optional<WaveInfo> LoggedWave(std::u16string_view name, std::span<const uint8_t> wav) {
    std::optional<WaveInfo> info = ParseWave(wav);
    if (!info) return info;
    const std::u16string args[] = {std::u16string(name), Decimal(info->DurationMs())};
    (void)LogLibraryCall(u"coredll.dll", u"PlaySound", args);  // a log line lost loses no work
    return info;
}

}  // namespace

Sleeper& RealSleeper() {
    static ThreadSleeper sleeper;
    return sleeper;
}

bool PlaySoundData(std::u16string_view name, std::span<const uint8_t> wav, Sleeper& sleeper) {
    const std::optional<WaveInfo> info = LoggedWave(name, wav);
    if (!info) return false;
    const std::string player = UsesDesktop() ? HostPlayer() : std::string();
    if (player.empty() || !PlayOnHost(player, wav)) sleeper.Sleep(info->DurationMs());
    return true;
}

bool StartSoundData(std::u16string_view name, std::span<const uint8_t> wav) {
    if (!LoggedWave(name, wav)) return false;
    static HostPlay previous;
    FinishOnHost(previous, true);
    const std::string player = UsesDesktop() ? HostPlayer() : std::string();
    if (!player.empty()) previous = StartOnHost(player, wav);
    return true;
}

}  // namespace plat
