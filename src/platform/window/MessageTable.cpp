#include "platform/window/MessageTable.h"

#include <algorithm>
#include <cstring>

#include "platform/shm/LockFile.h"
#include "platform/window/Messages.h"
#include "platform/window/NameCompare.h"
#include "platform/window/SmallFiles.h"
#include "platform/window/WindowFormat.h"
#include "platform/window/WireBytes.h"

namespace plat {

using namespace winfmt;

namespace {

constexpr size_t kMaxNames = kLastRegisteredMessage - kFirstRegisteredMessage + 1;
constexpr size_t kMaxTableBytes = sizeof kMessageTableMagic + kMaxNames * (2 + 2 * kMaxMessageName);

uint32_t Fail(uint32_t error, std::string why) {
    SetLastError(error, std::move(why));
    return 0;
}

}  // namespace

std::optional<std::vector<std::u16string>> DecodeMessageTable(std::span<const uint8_t> bytes) {
    if (bytes.size() < sizeof kMessageTableMagic ||
        std::memcmp(bytes.data(), kMessageTableMagic, sizeof kMessageTableMagic) != 0) {
        return std::nullopt;
    }
    std::vector<std::u16string> names;
    size_t at = sizeof kMessageTableMagic;
    while (at < bytes.size()) {
        if (bytes.size() - at < 2 || names.size() == kMaxNames) return std::nullopt;
        const size_t length = LoadLe16(bytes.data() + at);
        at += 2;
        if (length == 0 || length > kMaxMessageName || bytes.size() - at < 2 * length) return std::nullopt;
        std::u16string name(length, u'\0');
        for (size_t i = 0; i < length; ++i) name[i] = LoadLe16(bytes.data() + at + 2 * i);
        at += 2 * length;
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<uint8_t> EncodeMessageTable(const std::vector<std::u16string>& names) {
    std::vector<uint8_t> bytes(std::begin(kMessageTableMagic), std::end(kMessageTableMagic));
    for (const std::u16string& name : names) {
        const size_t at = bytes.size();
        bytes.resize(at + 2 + 2 * name.size());
        StoreLe16(bytes.data() + at, static_cast<uint16_t>(name.size()));
        for (size_t i = 0; i < name.size(); ++i) StoreLe16(bytes.data() + at + 2 + 2 * i, name[i]);
    }
    return bytes;
}

uint32_t RegisterMessageName(const std::filesystem::path& folder, std::u16string_view name) {
    if (name.empty() || name.size() > kMaxMessageName) {
        return Fail(ERROR_INVALID_PARAMETER, "a message name has 1 to 255 characters");
    }
    LockFile lock;
    if (!lock.Open(folder / kMessageTableLock) || !lock.LockExclusive()) {
        return Fail(ERROR_GEN_FAILURE, "the message-name table cannot be locked");
    }
    const std::filesystem::path file = folder / kMessageTableFile;
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    const auto bytes = exists ? ReadSmallFile(file, kMaxTableBytes) : std::vector<uint8_t>();
    auto names = bytes ? (exists ? DecodeMessageTable(*bytes) : std::vector<std::u16string>()) : std::nullopt;
    if (!names) return Fail(ERROR_FILE_CORRUPT, "the message-name table " + file.string() + " is damaged");
    const auto found = std::find_if(names->begin(), names->end(),
                                    [&](const std::u16string& known) { return SameNameIgnoringCase(known, name); });
    if (found != names->end()) return kFirstRegisteredMessage + static_cast<uint32_t>(found - names->begin());
    if (names->size() == kMaxNames) return Fail(ERROR_NOT_ENOUGH_MEMORY, "every registered message number is taken");
    names->emplace_back(name);
    if (!ReplaceSmallFile(file, EncodeMessageTable(*names))) {
        return Fail(ERROR_GEN_FAILURE, "the message-name table cannot be written");
    }
    return kFirstRegisteredMessage + static_cast<uint32_t>(names->size() - 1);
}

}  // namespace plat
