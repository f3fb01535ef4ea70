#pragma once
// Moving the data folder (the view template, the category ringtones and the other data files) to
// a folder the user picked. The same folder written with other case or trailing backslashes is
// no move at all. Otherwise, after the user agrees, every entry of the old folder moves into the
// new one and FolderPath names it. A move never overwrites: when the new folder already holds an
// entry of the same name (in any case) nothing moves; when a move fails half-way the entries
// already moved go back, so the data stays whole in the folder FolderPath names.
#include <string_view>
#include <vector>

#include "core/str/Str.h"

enum class FolderMoveResult {
    Unchanged,  // the same folder, or the user said No
    Moved,
    CannotCreate,  // "Cannot create destination folder !"
    NoMemory,      // "Not enough memory to complete request !"
    Failed,        // "There was errors while moving files. Operation cannot be done !"
};

// A device path without its trailing backslashes.
Str WithoutTrailingBackslashes(std::u16string_view path);
// Whether two device paths name the same folder (case and trailing backslashes aside).
[[nodiscard]] bool IsSameFolder(std::u16string_view a, std::u16string_view b);

// The files only: moves the entries of device folder `from` into `to` (created when missing).
FolderMoveResult MoveFolderEntries(std::u16string_view from, std::u16string_view to);

// The whole command after the folder picker closed on `chosen`: compares it with the data folder,
// asks "Are you sure ...", moves, writes FolderPath on success and shows the failure's message.
FolderMoveResult MoveDataFolder(std::u16string_view chosen);

// The folder picker's walk over the device's folders (device paths, "\" the root).
// The folders inside `folder`, by name with case aside; none when it cannot be read.
std::vector<Str> SubfoldersOf(std::u16string_view folder);
// The folder holding `folder`; the root for a folder of the root and for the root itself.
Str ParentFolder(std::u16string_view folder);
// `name` inside `folder`; `folder` itself for an empty name.
Str ChildFolder(std::u16string_view folder, std::u16string_view name);
