#include "platform/window/WireFrame.h"

#include <algorithm>
#include <limits>

#include "platform/window/Messages.h"
#include "platform/window/WireBytes.h"

namespace plat {

using namespace winfmt;

std::vector<uint8_t> EncodeFrame(const WireFrame& frame) {
    std::vector<uint8_t> bytes(kFrameHeaderSize + frame.payload.size());
    uint8_t* at = bytes.data();
    StoreLe32(at + kFrameMagicAt, kFrameMagic);
    StoreLe16(at + kFrameKindAt, static_cast<uint16_t>(frame.kind));
    StoreLe16(at + kFrameReservedAt, 0);
    StoreLe32(at + kFrameSequenceAt, frame.sequence);
    StoreLe32(at + kFrameWindowAt, frame.window);
    StoreLe32(at + kFrameMessageAt, frame.message);
    StoreLe32(at + kFrameWParamAt, frame.wParam);
    StoreLe32(at + kFrameLParamAt, frame.lParam);
    StoreLe32(at + kFramePayloadAt, static_cast<uint32_t>(frame.payload.size()));
    std::copy(frame.payload.begin(), frame.payload.end(), bytes.begin() + kFrameHeaderSize);
    return bytes;
}

namespace {

bool KnownKind(uint16_t kind) {
    return kind >= static_cast<uint16_t>(FrameKind::Post) && kind <= static_cast<uint16_t>(FrameKind::Foreground);
}

// Only a sent WM_COPYDATA carries bytes.
bool MayCarryPayload(FrameKind kind, uint32_t message) {
    return kind == FrameKind::Send && message == WM_COPYDATA;
}

}  // namespace

FrameParse DecodeFrame(std::span<const uint8_t> bytes, WireFrame& out, size_t& consumed) {
    if (bytes.size() < kFrameHeaderSize) return FrameParse::NeedMore;
    const uint8_t* at = bytes.data();
    const uint16_t kind = LoadLe16(at + kFrameKindAt);
    const uint32_t message = LoadLe32(at + kFrameMessageAt);
    const uint32_t length = LoadLe32(at + kFramePayloadAt);
    if (LoadLe32(at + kFrameMagicAt) != kFrameMagic || !KnownKind(kind) || LoadLe16(at + kFrameReservedAt) != 0) {
        return FrameParse::Bad;
    }
    if (length > kMaxPayload || (length > 0 && !MayCarryPayload(static_cast<FrameKind>(kind), message))) {
        return FrameParse::Bad;
    }
    if (bytes.size() - kFrameHeaderSize < length) return FrameParse::NeedMore;
    out.kind = static_cast<FrameKind>(kind);
    out.sequence = LoadLe32(at + kFrameSequenceAt);
    out.window = LoadLe32(at + kFrameWindowAt);
    out.message = message;
    out.wParam = LoadLe32(at + kFrameWParamAt);
    out.lParam = LoadLe32(at + kFrameLParamAt);
    out.payload.assign(at + kFrameHeaderSize, at + kFrameHeaderSize + length);
    consumed = kFrameHeaderSize + length;
    return FrameParse::Complete;
}

bool WParamTravels(WPARAM value) { return value <= std::numeric_limits<uint32_t>::max(); }

bool LParamTravels(LPARAM value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           static_cast<int64_t>(value) <= static_cast<int64_t>(std::numeric_limits<uint32_t>::max());
}

}  // namespace plat
