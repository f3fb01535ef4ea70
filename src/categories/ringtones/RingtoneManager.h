#pragma once
// RingtoneManager: one ringtone file per caller group, for the cooperating caller-ID program.
// Kept in the settings section "Ringtone", one REG_SZ value per group: the value name is the
// group's key (a special group's "#...#" key, a category's name), the data the ringtone's full
// path. Ringtones are keyed by name, so a category that is renamed loses its ringtone.
#include <cstdint>

#include "core/array/Array.h"
#include "core/result/Status.h"
#include "core/str/Str.h"

class RingtoneManager {
public:
    // Value names and data longer than these are not read (they cannot come from this program).
    static constexpr size_t kMaxKeyChars = 512;
    static constexpr size_t kMaxPathBytes = 520;
    static constexpr uint32_t kStrNotSaved = 44004;

    // Reads section "Ringtone". When it holds no value at all, imports `Category ringtones.inf` from
    // the data folder once (see ImportOldFile). Values of another type are left out.
    void Load();
    // Deletes the section and writes every entry; fails with kStrNotSaved unless every write
    // succeeded.
    Status Save() const;

    // For each display name the path of its key's ringtone, or empty.
    void RingtonesFor(const Array<Str>& displayNames, Array<Str>& paths) const;
    // Replaces every entry by the pairs with a non-empty path (keyed by display name) and saves.
    // A display name given twice keeps its last path.
    Status SetRingtones(const Array<Str>& displayNames, const Array<Str>& paths);

    // The platform's current ring sound: "Sound" of HKCU "ControlPanel\Sounds\RingTone0", else
    // its "SavedSound" (either is skipped when empty or starting with "*"), else
    // "Windows Default .wav".
    static Str SystemRingtone();

    const Array<Str>& Keys() const { return keys_; }
    const Array<Str>& Paths() const { return paths_; }

private:
    // Imports the old file: its records become entries and the section is written. The file is
    // deleted once read, unless it held entries that could not be written to the section (then
    // it stays for the next start, so nothing is lost).
    void ImportOldFile();
    void Set(const Str& key, const Str& path);

    Array<Str> keys_;
    Array<Str> paths_;
};
