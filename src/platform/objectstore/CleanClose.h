#pragma once
// The mark a volume file gets when the last connection to it closed cleanly: the file's identity,
// size and times as that close left them, in `<file>-clean`. A mount that finds the file exactly
// as marked, with no write-ahead log holding changes, knows that nothing has written the file
// since a state that was checked, so it need not read every page again; any write to the file
// (through SQLite or not) gives it a new change time, and a crash leaves no mark of its own.
#include <filesystem>

namespace plat::objstore {

// True when the file is as its last clean close left it and no log holds changes to it.
[[nodiscard]] bool UnchangedSinceCleanClose(const std::filesystem::path& file);

// After this process's connection closed: marks the file when the close left no log (it was the
// last connection and wrote everything back). A file that keeps changing is left unmarked, and a
// file marked damaged keeps that mark.
void MarkCleanClose(const std::filesystem::path& file);

// Marks the file as damaged: its mark says so until a mount has checked every page and found them
// whole (ForgetDamage); a clean close leaves such a mark as it is.
void MarkDamagedFile(const std::filesystem::path& file);
void ForgetDamage(const std::filesystem::path& file);

// The mark's path.
std::filesystem::path CleanCloseMark(const std::filesystem::path& file);

}  // namespace plat::objstore
