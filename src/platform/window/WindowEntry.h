#pragma once
// The entry that lists one window in the device namespace: its handle, the process that owns it
// and its class name (layout in WindowFormat.h).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/window/ProcessIdentity.h"
#include "platform/window/WindowTypes.h"

namespace plat {

struct WindowEntry {
    HWND handle = 0;
    ProcessIdentity owner;
    bool topLevel = true;
    std::u16string className;

    [[nodiscard]] bool operator==(const WindowEntry&) const = default;
};

std::vector<uint8_t> EncodeWindowEntry(const WindowEntry& entry);

// Nothing for bytes that are not a whole entry: wrong magic or length, a class name that is empty
// or too long, unknown flag bits.
std::optional<WindowEntry> DecodeWindowEntry(std::span<const uint8_t> bytes);

}  // namespace plat
