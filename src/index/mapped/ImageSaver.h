#pragma once
// The background save of one mapped image: a thread of lower priority that writes a snapshot of
// the image to its file in pieces, watching a cancel flag before and after each piece and yielding
// after each one unless hurried. The file is replaced whole (temporary file, sync, rename, folder
// sync) and ends with the CRC-32C of everything before it, so a save that is cancelled, fails or
// is cut short by a crash leaves the previous file as it was.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <thread>

enum class SaveState {
    Idle,       // no save was started
    Running,
    Saved,      // the file holds the snapshot
    Cancelled,  // stopped by Cancel(); the file is unchanged
    Failed,     // the file could not be written; it is unchanged
};

class ImageSaver {
public:
    struct Job {
        std::unique_ptr<uint8_t[]> snapshot;  // the image with its length word already stamped
        uint32_t length = 0;                  // image bytes in the snapshot
        std::filesystem::path target;         // the host file to replace
        std::filesystem::path lockKey;        // named mutex serialising writers of the file
        std::function<void()> onSaved;        // runs on the save thread after a complete save
        // When set, the file is replaced only after the save this saver runs has replaced its
        // own; when that one does not end saved, this save is abandoned (as cancelled).
        const ImageSaver* after = nullptr;
    };

    ImageSaver() = default;
    ~ImageSaver() { Wait(); }
    ImageSaver(const ImageSaver&) = delete;
    ImageSaver& operator=(const ImageSaver&) = delete;

    // Cancels and waits for a running save, then starts one for `job`.
    void Start(Job job);
    // Cancels and waits for a running save, then writes `image` (its last word replaced by the
    // file length in the file only) on the calling thread, without a snapshot and without
    // yielding: for a caller that would only wait for a background save. Nothing may change the
    // image meanwhile. True when the file holds it.
    [[nodiscard]] bool SaveNow(const uint8_t* image, uint32_t length, const std::filesystem::path& target,
                               const std::filesystem::path& lockKey, const std::function<void()>& onSaved);
    // Asks a running save to stop and returns at once.
    void Cancel() { cancel_ = true; }

    // Lets a running save write without yielding and waits for its end.
    void Wait();
    [[nodiscard]] bool Running() const { return state_ == SaveState::Running; }
    SaveState State() const { return state_; }
    // The checksum that ends the file this saver last replaced (0 before any).
    uint32_t LastChecksum() const { return lastChecksum_; }

private:
    void Run(Job job);
    [[nodiscard]] bool SaveLocked(const std::filesystem::path& lockKey, const std::function<bool()>& write);
    // Writes `body` then `tail` and the checksum of both to a file replacing `target`.
    [[nodiscard]] bool WriteFile(const std::filesystem::path& target, const uint8_t* body, uint32_t bodyBytes,
                                 std::span<const uint8_t> tail, const ImageSaver* after = nullptr);
    // Waits (on another saver's thread) until no save runs here, giving up when `giveUp` is
    // set; whether the last save replaced its file.
    [[nodiscard]] bool EndedSaved(const std::atomic<bool>& giveUp) const;

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> hurry_{false};
    std::atomic<SaveState> state_{SaveState::Idle};
    std::atomic<uint32_t> lastChecksum_{0};
};
