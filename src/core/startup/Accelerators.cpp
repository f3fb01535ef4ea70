#include "core/startup/Accelerators.h"

std::optional<uint32_t> TranslateAccelerator(uint32_t virtualKey, bool control, bool shift, bool alt) {
    if (shift || alt) return std::nullopt;
    for (const Accelerator& entry : kAcceleratorTable) {
        if (entry.virtualKey == virtualKey && entry.control == control) return entry.command;
    }
    return std::nullopt;
}
