#pragma once
// Encoding and decoding of the frames that carry messages between the processes of a device, and
// the rule for which parameter values can travel as 32 bits.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/window/WindowFormat.h"
#include "platform/window/WindowTypes.h"

namespace plat {

struct WireFrame {
    winfmt::FrameKind kind = winfmt::FrameKind::Post;
    uint32_t sequence = 0;
    uint32_t window = 0;
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
    std::vector<uint8_t> payload;
};

std::vector<uint8_t> EncodeFrame(const WireFrame& frame);

enum class FrameParse { Complete, NeedMore, Bad };

// Decodes the frame at the front of `bytes`. Complete: `out` holds it and `consumed` its length.
// Bad: the bytes are not a frame of ours (wrong magic, kind or reserved bits, a payload over the
// limit or on a frame that may not carry one); the connection is then dropped.
FrameParse DecodeFrame(std::span<const uint8_t> bytes, WireFrame& out, size_t& consumed);

// A wParam travels when it fits in 32 unsigned bits; an lParam or result when it fits in 32 bits
// read either as signed or as unsigned. The receiver zero-extends wParam and sign-extends the
// others, so a 32-bit unsigned lParam arrives with its low 32 bits intact.
[[nodiscard]] bool WParamTravels(WPARAM value);
[[nodiscard]] bool LParamTravels(LPARAM value);
inline WPARAM WParamFromWire(uint32_t value) { return value; }
inline LPARAM LParamFromWire(uint32_t value) { return static_cast<int32_t>(value); }
inline uint32_t ToWire(uintptr_t value) { return static_cast<uint32_t>(value); }
inline uint32_t ToWire(intptr_t value) { return static_cast<uint32_t>(value); }

}  // namespace plat
