#pragma once
// The sound files a ringtone is chosen from, and the checks a chosen file passes. Ringtones are
// the device's 16-bit PCM WAV files (the sounds its player plays) in the folder last used
// (`LastSoundPath`), the folder of the platform's ring sound and the device's sound folders; any other WAV file of the device can be chosen
// by path. A file is taken only when it exists, can be read and is such a sound, so a ringtone
// never names something the caller-ID program could not play.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/str/Str.h"

// The device's sound folders, in the order their files are listed.
inline constexpr std::u16string_view kRingtoneFolders[] = {u"\\Windows\\Rings", u"\\My Documents\\My Ringtones",
                                                          u"\\My Documents", u"\\Windows"};
// Larger files are not taken as ringtones (a ringtone is seconds of sound, not hours).
inline constexpr uintmax_t kMaxRingtoneBytes = 16u << 20;

enum class SoundStatus { Playable, Missing, Unreadable, NotPlayable };

struct SoundFile {
    SoundStatus status = SoundStatus::Missing;
    std::vector<uint8_t> wav;  // the file's bytes when Playable
};

// The folders to list: `LastSoundPath` when set, the folder of the platform's ring sound when it
// is a device path, then kRingtoneFolders (each once, case ignored).
std::vector<Str> RingtoneFolders();
// The WAV files (by name, case ignored) directly in `folders`, as device paths: folder by folder,
// each folder's files in name order, each file once.
std::vector<Str> FindRingtones(const std::vector<Str>& folders);

// Reads and checks the sound file at a device path.
SoundFile ReadSoundFile(const Str& devicePath);
// What the user is told about a file that is not Playable (empty for Playable).
Str SoundProblem(SoundStatus status, const Str& devicePath);
// Starts playing the file through the device's sound player without waiting for its end.
SoundStatus PlayRingtone(const Str& devicePath);

// The folder part of a device path ("\\Windows" for "\\Windows\\a.wav", "\\" for "\\a.wav").
Str FolderOfPath(const Str& devicePath);
// Remembers the folder of a chosen file as `LastSoundPath`. False when it cannot be stored.
[[nodiscard]] bool RememberSoundFolder(const Str& devicePath);
// The device path of a host file below the current device's root; nothing for a file elsewhere.
std::optional<Str> DevicePathOfHost(const std::filesystem::path& host);
