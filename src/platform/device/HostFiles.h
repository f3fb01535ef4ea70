#pragma once
// How the device's files are opened on the host. A device folder is a plain folder that anybody
// with access may have changed: a FIFO or a device node in place of a file must not make a
// program wait for ever, and a symbolic link planted under a name the device writes must not
// redirect the write out of the device. So files are opened without blocking and used only when
// they are regular files; files are written only under names created here and now (exclusive
// creation) or appended to without following a link.
#include <filesystem>
#include <string_view>

namespace plat {

// Opens an existing regular file for reading; -1 (errno set; EINVAL for what is not a regular
// file) otherwise. Never waits on a FIFO. The descriptor is close-on-exec and blocking again.
int OpenRegularForReading(const std::filesystem::path& file);

// Opens the regular file for reading and writing, creating it (mode 0600) when missing; a link
// or anything but a regular file under that name is refused (-1). For lock and counter files.
int OpenRegularForUpdate(const std::filesystem::path& file);

// Appends `bytes` to the regular file with one write (so lines of concurrent writers never
// interleave), creating it (mode 0644) when missing. False when it cannot, or when a link or
// anything but a regular file has the name.
[[nodiscard]] bool AppendToRegularFile(const std::filesystem::path& file, std::string_view bytes);

// Creates a new file named `prefix` followed by six random characters (mode 0600, exclusive: an
// existing name, a link included, is never opened) and returns its descriptor, `created` its path.
// -1 when no such file can be made.
int CreateUniqueFile(const std::filesystem::path& prefix, std::filesystem::path& created);

// True when the SQLite database file or one of the companions SQLite writes beside it (-wal,
// -shm, -journal) is a symbolic link: opening it would write wherever the link points.
[[nodiscard]] bool HasLinkedDatabaseFile(const std::filesystem::path& database);

}  // namespace plat
