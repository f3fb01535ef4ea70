#include "screen/list/DataFolderMove.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "core/res/ResourceStrings.h"
#include "core/settings/Folders.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "platform/device/Device.h"
#include "platform/ui/MessageBox.h"
#include "screen/list/ListStrings.h"

namespace fs = std::filesystem;

namespace {

Str Folded(std::u16string_view path) {
    Str folded = WithoutTrailingBackslashes(path);
    folded.MakeLower();
    return folded;
}

std::u16string FoldedName(const fs::path& path) {
    return std::u16string(Folded(path.filename().u16string()).View());
}

// Moves one entry, across file systems too.
bool MoveEntry(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (!error) return true;
    fs::copy(from, to, fs::copy_options::recursive, error);
    if (!error && fs::remove_all(from, error) != static_cast<std::uintmax_t>(-1) && !error) return true;
    fs::remove_all(to, error);
    return false;
}

FolderMoveResult MoveHostEntries(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const fs::path fromReal = fs::weakly_canonical(from, error);
    const fs::path toReal = fs::weakly_canonical(to, error);
    const auto [end, _] = std::mismatch(fromReal.begin(), fromReal.end(), toReal.begin(), toReal.end());
    if (end == fromReal.end()) return FolderMoveResult::Failed;  // into itself
    if (!fs::create_directories(to, error) && !fs::is_directory(to)) return FolderMoveResult::CannotCreate;

    std::set<std::u16string> taken;
    for (const fs::directory_entry& entry : fs::directory_iterator(to, error)) {
        taken.insert(FoldedName(entry.path()));
    }
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        if (taken.contains(FoldedName(entry.path()))) return FolderMoveResult::Failed;
        entries.push_back(entry.path());
    }
    if (error) return FolderMoveResult::Failed;
    std::vector<std::pair<fs::path, fs::path>> moved;
    for (const fs::path& entry : entries) {
        const fs::path target = to / entry.filename();
        if (!MoveEntry(entry, target)) {
            for (auto back = moved.rbegin(); back != moved.rend(); ++back) {
                MoveEntry(back->second, back->first);
            }
            return FolderMoveResult::Failed;
        }
        moved.emplace_back(entry, target);
    }
    fs::remove(from, error);  // only when it is empty now
    return FolderMoveResult::Moved;
}

void ShowFailure(FolderMoveResult result) {
    uint32_t text = liststr::kFolderMoveFailed;
    if (result == FolderMoveResult::CannotCreate) text = liststr::kFolderCannotCreate;
    if (result == FolderMoveResult::NoMemory) text = liststr::kFolderNoMemory;
    plat::MessageBox(RequireStr(text).View(), RequireStr(liststr::kBrevane).View(),
                     plat::MB_OK | plat::MB_ICONWARNING);
}

}  // namespace

Str WithoutTrailingBackslashes(std::u16string_view path) {
    while (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
    return Str(path);
}

bool IsSameFolder(std::u16string_view a, std::u16string_view b) { return Folded(a) == Folded(b); }

FolderMoveResult MoveFolderEntries(std::u16string_view from, std::u16string_view to) {
    try {
        const plat::Device& device = plat::CurrentDevice();
        const auto hostFrom = device.HostPath(from);
        const auto hostTo = device.HostPath(to);
        if (!hostTo) return FolderMoveResult::CannotCreate;
        if (!hostFrom) return FolderMoveResult::Failed;
        return MoveHostEntries(*hostFrom, *hostTo);
    } catch (const std::bad_alloc&) {
        return FolderMoveResult::NoMemory;
    } catch (const std::exception&) {
        return FolderMoveResult::Failed;
    }
}

FolderMoveResult MoveDataFolder(std::u16string_view chosen) {
    const Str current = DataFolder();
    const Str target = WithoutTrailingBackslashes(chosen);
    if (IsSameFolder(current.View(), target.View())) return FolderMoveResult::Unchanged;
    const int answer =
        plat::MessageBox(RequireStr(liststr::kFolderQuestion).View(), RequireStr(liststr::kBrevane).View(),
                         plat::MB_YESNO | plat::MB_ICONQUESTION);
    if (answer != plat::IDYES) return FolderMoveResult::Unchanged;
    FolderMoveResult result = MoveFolderEntries(current.View(), target.View());
    if (result == FolderMoveResult::Moved &&
        !SettingsStore::WriteString(settings::kSettings, settings::kFolderPath, target.View())) {
        // The files are in the new folder but the setting still names the old one: bring them back.
        MoveFolderEntries(target.View(), current.View());
        result = FolderMoveResult::Failed;
    }
    if (result != FolderMoveResult::Moved) ShowFailure(result);
    return result;
}

std::vector<Str> SubfoldersOf(std::u16string_view folder) {
    std::vector<Str> names;
    const std::optional<fs::path> host = plat::CurrentDevice().HostPath(folder);
    if (!host) return names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(*host, error)) {
        if (entry.is_directory(error)) names.emplace_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end(),
              [](const Str& a, const Str& b) { return Folded(a.View()).View() < Folded(b.View()).View(); });
    return names;
}

Str ParentFolder(std::u16string_view folder) {
    const Str trimmed = WithoutTrailingBackslashes(folder);
    const size_t cut = trimmed.View().rfind(u'\\');
    if (cut == std::u16string_view::npos || cut == 0) return Str(u"\\");
    return Str(trimmed.View().substr(0, cut));
}

Str ChildFolder(std::u16string_view folder, std::u16string_view name) {
    const Str parent = WithoutTrailingBackslashes(folder);
    if (name.empty()) return parent.IsEmpty() ? Str(u"\\") : parent;
    return parent + u"\\" + Str(name);
}
