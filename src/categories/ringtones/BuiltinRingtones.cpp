#include "categories/ringtones/BuiltinRingtones.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "platform/device/Device.h"
#include "platform/device/HostFiles.h"
#include "platform/sound/Wave.h"

namespace fs = std::filesystem;

namespace {

struct Note {
    uint16_t low;   // Hz; 0 for a rest
    uint16_t high;  // a second frequency sounding with it, 0 for none
    uint16_t ms;
};

struct Tone {
    std::u16string_view name;
    std::vector<Note> notes;
};

constexpr double kLevel = 0.3 * 32767;  // per frequency; two together stay below full scale
constexpr uint32_t kFadeSamples = kBuiltinRingtoneRate * 5 / 1000;

const std::vector<Tone>& Tones() {
    static const std::vector<Tone> tones = {
        {u"Ring Classic.wav", {{440, 480, 400}, {0, 0, 200}, {440, 480, 400}, {0, 0, 600}}},
        {u"Ring Chime.wav", {{1047, 0, 220}, {784, 0, 220}, {659, 0, 220}, {523, 0, 440}}},
        {u"Ring Pulse.wav",
         {{1000, 0, 90}, {0, 0, 90}, {1000, 0, 90}, {0, 0, 90}, {1000, 0, 90}, {0, 0, 500}}},
        {u"Ring Rise.wav", {{523, 0, 150}, {659, 0, 150}, {784, 0, 150}, {1047, 659, 450}}},
    };
    return tones;
}

void AddNote(const Note& note, std::vector<int16_t>& samples) {
    const uint32_t count = kBuiltinRingtoneRate * note.ms / 1000;
    for (uint32_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kBuiltinRingtoneRate;
        const double fade = std::min(
            {1.0, static_cast<double>(i) / kFadeSamples, static_cast<double>(count - 1 - i) / kFadeSamples});
        double v = 0;
        if (note.low != 0) v += std::sin(2 * std::numbers::pi * note.low * t);
        if (note.high != 0) v += std::sin(2 * std::numbers::pi * note.high * t);
        samples.push_back(static_cast<int16_t>(std::lround(kLevel * fade * v)));
    }
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// Writes `bytes` to a file of its own beside `target`, then gives it the target's name only when
// that name is free (a link is never followed), so the file is whole or absent and nothing is
// replaced.
bool WriteNew(const fs::path& target, const std::vector<uint8_t>& bytes) {
    fs::path draft;
    const int fd = plat::CreateUniqueFile(target.parent_path() / ".ringtone-", draft);
    if (fd < 0) return false;
    const bool written = ::fchmod(fd, 0644) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    const bool placed = written && closed && (::link(draft.c_str(), target.c_str()) == 0 || errno == EEXIST);
    ::unlink(draft.c_str());
    return placed;
}

}  // namespace

std::vector<std::u16string_view> BuiltinRingtoneNames() {
    std::vector<std::u16string_view> names;
    for (const Tone& tone : Tones()) names.push_back(tone.name);
    return names;
}

std::vector<uint8_t> BuiltinRingtoneWave(size_t index) {
    if (index >= Tones().size()) return {};
    std::vector<int16_t> samples;
    for (const Note& note : Tones()[index].notes) AddNote(note, samples);
    return plat::BuildMonoWave(samples, kBuiltinRingtoneRate);
}

bool InstallBuiltinRingtones(const plat::Device& device) {
    bool ok = true;
    for (size_t index = 0; index < Tones().size(); ++index) {
        const auto host = device.HostPath(std::u16string(kBuiltinRingtoneFolder) + u"\\" +
                                          std::u16string(Tones()[index].name));
        std::error_code error;
        if (host) fs::create_directories(host->parent_path(), error);
        if (!host || error || !WriteNew(*host, BuiltinRingtoneWave(index))) ok = false;
    }
    return ok;
}
