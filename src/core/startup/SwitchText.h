#pragma once
// param.tmp: the text argument of the `n` and `r` switches, carried from the instance that parsed
// the command line to the one that acts on it. The file lies in the program folder and holds the
// text as UTF-16LE units followed by one 16-bit NUL: no byte-order mark, nothing else.
//
// The file is made under a fresh temporary name (never following an existing name or link) and
// then renamed over param.tmp, so a reader sees an old file or the whole new one, and a link
// planted at the name can never redirect the write.
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/str/Str.h"

inline constexpr std::u16string_view kSwitchTextFile = u"param.tmp";
// A file of this size or more is deleted unread.
inline constexpr uintmax_t kSwitchTextLimit = 510;

// The host path of param.tmp on the current device: the program folder of the settings, else the
// folder of the running program's device path. Nothing when it maps outside the device.
std::optional<std::filesystem::path> SwitchTextPath();

// Writes `text` (replacing any old file). False when the file cannot be written; no half-written
// file is left behind.
[[nodiscard]] bool StoreSwitchText(std::u16string_view text);

// Empties `out`, reads param.tmp into it (up to the first NUL) and deletes the file. Returns
// whether the file could be opened; a file of kSwitchTextLimit bytes or more is deleted without
// being read (true, `out` empty). Anything but a regular file is neither read nor deleted.
[[nodiscard]] bool TakeSwitchText(Str& out);
