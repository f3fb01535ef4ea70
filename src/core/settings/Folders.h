#pragma once
// The folders derived from settings, worked out on every request. All are device paths.
#include "core/str/Str.h"

// Special folder identifiers of the shell's folder lookup.
inline constexpr int kFolderPersonal = 5;   // personal documents: "\My Documents"
inline constexpr int kFolderPrograms = 38;  // programs: "\Program Files"

// The device path of a special folder; empty for an identifier the device does not have.
Str SpecialFolder(int id);

// The data folder: "FolderPath" of section "Settings" without a trailing backslash, or when empty
// the personal documents folder followed by "\Brevane Files". The folder is created (with its
// missing parents) when it does not exist.
Str DataFolder();

// The caller-ID skin folder, always ending in a backslash: "SkinPath" of section "Settings", or
// when empty the programs folder followed by "\Velmora Brevane\CIDSkin\".
Str SkinFolder();

// The program folder: "ProgramPath" of section "Settings" up to and including its last
// backslash; empty when it has none.
Str ProgramFolder();
