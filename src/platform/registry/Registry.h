#pragma once
// The device registry: HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE in one SQLite database
// <root>/Windows/registry.db. Key and value names are case-insensitive and case-preserving; values
// keep their type and bytes. Every write is its own committed transaction; several processes may
// use the registry at once.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plat {

enum class Hive { CurrentUser, LocalMachine };

inline constexpr uint32_t REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4;

struct RegValue {
    uint32_t type = REG_BINARY;
    std::vector<uint8_t> data;  // REG_SZ: UTF-16LE with its NUL; REG_DWORD: 4 bytes little-endian

    static RegValue Dword(uint32_t v);
    static RegValue String(std::u16string_view text);
    static RegValue Binary(std::vector<uint8_t> bytes);
    std::optional<uint32_t> AsDword() const;        // only for REG_DWORD of 4 bytes
    std::optional<std::u16string> AsString() const;  // only for REG_SZ (up to the first NUL)
};

// A registry database that cannot be opened or is damaged.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Registry {
public:
    // Opens (creating when missing) the registry file; throws RegistryError when the file is not
    // a registry or is damaged. It is never replaced silently.
    explicit Registry(const std::filesystem::path& file);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Key paths are backslash-separated below the hive ("Software\\Velmora\\PIM\\Settings"); an
    // empty path is the hive itself, backslashes at either end are ignored, and a path with an
    // empty name inside ("a\\\\b") or unpaired surrogates is invalid (every call fails on it).
    // SetValue creates the key when missing; an existing value keeps its name's spelling and its
    // place in Values (values are listed in the order they were made, subkeys by name). Failures
    // (an invalid or missing key, another process holding the file too long) give false or
    // nothing; a damaged file throws RegistryError.
    [[nodiscard]] bool KeyExists(Hive hive, std::u16string_view key);
    [[nodiscard]] bool CreateKey(Hive hive, std::u16string_view key);  // with its missing parents
    std::optional<RegValue> GetValue(Hive hive, std::u16string_view key, std::u16string_view name);
    [[nodiscard]] bool SetValue(Hive hive, std::u16string_view key, std::u16string_view name,
                                const RegValue& value);
    [[nodiscard]] bool DeleteValue(Hive hive, std::u16string_view key, std::u16string_view name);
    [[nodiscard]] bool DeleteKey(Hive hive, std::u16string_view key);  // the key and its whole subtree
    std::vector<std::u16string> SubKeys(Hive hive, std::u16string_view key);
    std::vector<std::pair<std::u16string, RegValue>> Values(Hive hive, std::u16string_view key);

private:
    struct Impl;
    Impl* impl_;
};

class Device;

// The registry of the current device, opened on first use and again after the current device
// changed. Throws RegistryError when it cannot be opened or does not exist yet (only InitDevice
// creates a device's registry).
Registry& DeviceRegistry();
// Closes the registry DeviceRegistry opened (before a device is removed).
void CloseDeviceRegistry();
// The host file of a device's registry (<root>/Windows/registry.db).
std::filesystem::path DeviceRegistryFile(const Device& device);

}  // namespace plat
