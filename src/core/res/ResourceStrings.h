#pragma once
// Loading resource strings by number.
#include <cstdint>

#include "core/str/Str.h"

class StringTable;

// Loads string `id` of `module` (the program's own when null) into `out`, retrying with a buffer
// 256 characters larger while the loaded text comes within 2 characters of the buffer's end.
// A missing string leaves `out` empty, logs "Resource loading fail (id: <id> hInst: <handle>)"
// and shows "SafeLoadStr failed, resid: <id>" in the tracer box. True when the string is there.
[[nodiscard]] bool SafeLoadStr(uint32_t id, Str& out, const StringTable* module = nullptr);

// The text of a string every screen needs: raises ResourceError(id) when it cannot be loaded.
Str RequireStr(uint32_t id);
