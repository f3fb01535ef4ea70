#pragma once
// The program's accelerator table (resource 103): key combinations that become commands of the
// window the key was meant for, before the key reaches that window.
#include <cstdint>
#include <optional>

// Virtual-key codes of the letters are their upper-case ASCII codes.
struct Accelerator {
    uint32_t virtualKey;
    bool control;
    uint32_t command;
};

// Ctrl+A gives command 40003, Ctrl+Q command 1 (OK, which closes the main window).
inline constexpr Accelerator kAcceleratorTable[] = {{'A', true, 40003}, {'Q', true, 1}};

// The command of a key press, or nothing when the table has no entry for it. Shift and Alt must
// be up; Control must be down exactly when the entry asks for it.
std::optional<uint32_t> TranslateAccelerator(uint32_t virtualKey, bool control, bool shift, bool alt);
