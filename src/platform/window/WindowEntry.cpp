#include "platform/window/WindowEntry.h"

#include "platform/window/WindowFormat.h"
#include "platform/window/WireBytes.h"

namespace plat {

using namespace winfmt;

std::vector<uint8_t> EncodeWindowEntry(const WindowEntry& entry) {
    std::vector<uint8_t> bytes(kEntryClassAt + 2 * entry.className.size());
    uint8_t* at = bytes.data();
    StoreLe32(at + kEntryMagicAt, kEntryMagic);
    StoreLe32(at + kEntryHandleAt, entry.handle);
    StoreLe32(at + kEntryPidAt, entry.owner.pid);
    StoreLe32(at + kEntryFlagsAt, entry.topLevel ? kEntryTopLevel : 0);
    StoreLe64(at + kEntryStartAt, entry.owner.startTime);
    StoreLe16(at + kEntryClassLengthAt, static_cast<uint16_t>(entry.className.size()));
    for (size_t i = 0; i < entry.className.size(); ++i) {
        StoreLe16(at + kEntryClassAt + 2 * i, entry.className[i]);
    }
    return bytes;
}

std::optional<WindowEntry> DecodeWindowEntry(std::span<const uint8_t> bytes) {
    if (bytes.size() < kEntryClassAt) return std::nullopt;
    const uint8_t* at = bytes.data();
    const size_t length = LoadLe16(at + kEntryClassLengthAt);
    const uint32_t flags = LoadLe32(at + kEntryFlagsAt);
    if (LoadLe32(at + kEntryMagicAt) != kEntryMagic || length == 0 || length > kMaxClassLength ||
        bytes.size() != kEntryClassAt + 2 * length || (flags & ~kEntryTopLevel) != 0) {
        return std::nullopt;
    }
    WindowEntry entry;
    entry.handle = LoadLe32(at + kEntryHandleAt);
    entry.owner = {LoadLe32(at + kEntryPidAt), LoadLe64(at + kEntryStartAt)};
    entry.topLevel = (flags & kEntryTopLevel) != 0;
    entry.className.resize(length);
    for (size_t i = 0; i < length; ++i) entry.className[i] = LoadLe16(at + kEntryClassAt + 2 * i);
    return entry;
}

}  // namespace plat
