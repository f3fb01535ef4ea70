#include "categories/ringtones/RingtoneManager.h"

#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "categories/ringtones/CallerGroups.h"
#include "categories/ringtones/RingtoneFile.h"
#include "core/result/StatusText.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/device/Device.h"
#include "platform/registry/Registry.h"
#include "platform/shm/ImageFile.h"

namespace {

constexpr std::u16string_view kSoundsKey = u"ControlPanel\\Sounds\\RingTone0";
constexpr std::u16string_view kSoundValue = u"Sound";
constexpr std::u16string_view kSavedSoundValue = u"SavedSound";
constexpr std::u16string_view kDefaultSound = u"Windows Default .wav";
// The old file is tiny; anything much larger is not one and is not read into memory.
constexpr uint64_t kMaxOldFileBytes = 4u << 20;

// The values of a registry key; none when the registry cannot be read.
std::vector<std::pair<std::u16string, plat::RegValue>> ValuesOf(std::u16string_view key) {
    try {
        return plat::DeviceRegistry().Values(plat::Hive::CurrentUser, key);
    } catch (const std::exception&) {
        return {};
    }
}

std::optional<std::u16string> StringOf(std::u16string_view key, std::u16string_view name) {
    try {
        const std::optional<plat::RegValue> value = plat::DeviceRegistry().GetValue(plat::Hive::CurrentUser, key, name);
        return value ? value->AsString() : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool IsUsableSound(const std::optional<std::u16string>& sound) {
    return sound && !sound->empty() && sound->front() != u'*';
}

// The bytes of the old file; nothing when it is missing or cannot be read.
std::optional<std::vector<uint8_t>> ReadOldFile(const std::filesystem::path& host) {
    plat::InputFile in;
    if (!in.Open(host)) return std::nullopt;
    std::vector<uint8_t> bytes(std::min<uint64_t>(in.Size(), kMaxOldFileBytes));
    if (!in.ReadAll(bytes)) return std::nullopt;
    return bytes;
}

}  // namespace

void RingtoneManager::Load() {
    keys_.RemoveAll();
    paths_.RemoveAll();
    std::u16string section(settings::kRoot);
    section += settings::kRingtone;
    const auto values = ValuesOf(section);
    for (const auto& [name, value] : values) {
        const std::optional<std::u16string> path = value.AsString();
        if (!path || name.empty() || name.size() > kMaxKeyChars || value.data.size() > kMaxPathBytes) continue;
        Set(Str(name), Str(*path));
    }
    if (values.empty()) ImportOldFile();
}

void RingtoneManager::ImportOldFile() {
    if (!plat::HasCurrentDevice()) return;
    const Str devicePath = DataFolder() + u"\\" + kRingtoneFileName;
    const std::optional<std::filesystem::path> host = plat::CurrentDevice().HostPath(devicePath.View());
    if (!host) return;
    const std::optional<std::vector<uint8_t>> bytes = ReadOldFile(*host);
    if (!bytes) return;
    if (const auto records = ParseRingtoneFile(*bytes)) {
        for (const RingtoneRecord& record : *records) Set(RingtoneKeyOf(record.name), record.path);
    }
    if (!keys_.IsEmpty() && !Save()) return;
    std::error_code ignored;
    std::filesystem::remove(*host, ignored);
}

Status RingtoneManager::Save() const {
    // A section not there yet is fine; the writes say whether they worked.
    (void)SettingsStore::DeleteSection(settings::kRingtone);
    bool ok = true;
    for (int i = 0; i < keys_.GetSize(); ++i) {
        ok = SettingsStore::WriteString(settings::kRingtone, keys_[i].View(), paths_[i].View()) && ok;
    }
    // Writes are committed at once; this says only whether the section exists.
    (void)SettingsStore::FlushSection(settings::kRingtone);
    return OkOr(ok, kStrNotSaved);
}

void RingtoneManager::RingtonesFor(const Array<Str>& displayNames, Array<Str>& paths) const {
    paths.RemoveAll();
    for (const Str& name : displayNames) {
        const Str key = RingtoneKeyOf(name);
        Str path;
        for (int i = 0; i < keys_.GetSize(); ++i) {
            if (keys_[i] == key) path = paths_[i];
        }
        paths.Add(path);
    }
}

Status RingtoneManager::SetRingtones(const Array<Str>& displayNames, const Array<Str>& paths) {
    keys_.RemoveAll();
    paths_.RemoveAll();
    for (int i = 0; i < displayNames.GetSize() && i < paths.GetSize(); ++i) {
        if (!paths[i].IsEmpty()) Set(RingtoneKeyOf(displayNames[i]), paths[i]);
    }
    return Save();
}

void RingtoneManager::Set(const Str& key, const Str& path) {
    for (int i = 0; i < keys_.GetSize(); ++i) {
        if (keys_[i] == key) {
            paths_.SetAt(i, path);
            return;
        }
    }
    keys_.Add(key);
    paths_.Add(path);
}

Str RingtoneManager::SystemRingtone() {
    for (std::u16string_view name : {kSoundValue, kSavedSoundValue}) {
        const std::optional<std::u16string> sound = StringOf(kSoundsKey, name);
        if (IsUsableSound(sound)) return Str(*sound);
    }
    return Str(kDefaultSound);
}
