#pragma once
// The steps by which a device path becomes a host path below a device root.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Splits a device path at "\\" and "/", dropping empty and "." components and resolving ".."
// against the components before it. Nothing when ".." would climb above the root or a component
// holds a NUL.
std::optional<std::vector<std::u16string>> SplitDevicePath(std::u16string_view devicePath);

// The name of the entry of `folder` that matches `component`: the entry spelt exactly so, else the
// first (in byte order) that matches ignoring case. Nothing when there is none.
std::optional<std::string> FindEntry(const std::filesystem::path& folder, std::u16string_view component);

// Where `path` ends up once every symbolic link on it is followed (the part that does not exist
// taken as written); nothing for a loop of links.
std::optional<std::filesystem::path> ResolveLinks(const std::filesystem::path& path);

// True when `path` is `root` or lies below it (both absolute and normal).
[[nodiscard]] bool IsWithin(const std::filesystem::path& path, const std::filesystem::path& root);

}  // namespace plat
