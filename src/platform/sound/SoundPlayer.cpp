#include "platform/sound/SoundPlayer.h"

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

// Plays the data through the host player and waits for it to end. False when it could not run.
bool PlayOnHost(const std::string& player, std::span<const uint8_t> wav) {
    std::filesystem::path file;
    {
        const int fd = CreateUniqueFile(CurrentDevice().NamespaceDir() / "sound-", file);
        if (fd < 0) return false;
        const bool written = ::write(fd, wav.data(), wav.size()) == static_cast<ssize_t>(wav.size());
        ::close(fd);
        if (!written) {
            ::unlink(file.c_str());
            return false;
        }
    }
    std::vector<std::string> args = {player};
    if (player.ends_with("aplay")) args.push_back("-q");
    args.push_back(file.string());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const bool started = ::posix_spawn(&pid, player.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
    int status = 0;
    if (started) ::waitpid(pid, &status, 0);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return started && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::u16string Decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace

Sleeper& RealSleeper() {
    static ThreadSleeper sleeper;
    return sleeper;
}

bool PlaySoundData(std::u16string_view name, std::span<const uint8_t> wav, Sleeper& sleeper) {
    const std::optional<WaveInfo> info = ParseWave(wav);
    if (!info) return false;
    const std::u16string args[] = {std::u16string(name), Decimal(info->DurationMs())};
    LogLibraryCall(u"coredll.dll", u"PlaySound", args);
    const std::string player = UsesDesktop() ? HostPlayer() : std::string();
    if (player.empty() || !PlayOnHost(player, wav)) sleeper.Sleep(info->DurationMs());
    return true;
}

}  // namespace plat
