#pragma once
// The files that hold saved images: read whole after their size is known, and replaced whole so
// that a crash or power cut at any moment leaves either the old file or the new one, never a torn
// one (write a temporary file beside the target, sync it, rename it over the target, sync the
// folder). Only regular files are read, without ever waiting on a FIFO; the temporary file has a
// name of its own made at creation, so no file or link planted beside the target is written
// through (HostFiles.h).
#include <cstdint>
#include <filesystem>
#include <span>

namespace plat {

// A file opened for reading; its size is taken once at open, so a size check and the read that
// follows see the same file even when it is replaced in between.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    [[nodiscard]] bool Open(const std::filesystem::path& file);  // false when missing or not a regular file
    uint64_t Size() const { return size_; }
    // Reads exactly out.size() bytes from the start; false when the file holds fewer.
    [[nodiscard]] bool ReadAll(std::span<uint8_t> out) { return ReadAt(out, 0); }
    // Reads exactly out.size() bytes from `offset`; false when the file holds fewer.
    [[nodiscard]] bool ReadAt(std::span<uint8_t> out, uint64_t offset);

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

class FileReplacement {
public:
    explicit FileReplacement(std::filesystem::path target);
    ~FileReplacement();  // abandons a replacement that was not committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file: the target's name + ".tmp-" + six random characters, created
    // exclusively. Two writers of one target may overlap; the last rename wins whole.
    [[nodiscard]] bool Begin();
    [[nodiscard]] bool Write(std::span<const uint8_t> bytes);
    // Syncs the temporary file, renames it over the target and syncs the folder.
    [[nodiscard]] bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Abandon();

    const std::filesystem::path& TemporaryPath() const { return temporary_; }

    // Removes the temporary files of `target` that a crash left behind. Only for a caller that
    // knows no other replacement of the target is running (it holds the target's writers' lock).
    static void RemoveLeftovers(const std::filesystem::path& target);

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
};

}  // namespace plat
