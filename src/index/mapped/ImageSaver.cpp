#include "index/mapped/ImageSaver.h"

#include <algorithm>
#include <chrono>

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/mapped/Crc32c.h"
#include "platform/shm/ImageFile.h"
#include "platform/shm/NamedMutex.h"
#include "platform/shm/ThreadPriority.h"

namespace {

constexpr uint32_t kHurriedPieceBytes = 1024 * 1024;
constexpr int kPollMs = 10;

// Waits for the writers' mutex in short steps so that a cancel is seen while waiting.
bool LockUnlessCancelled(plat::NamedMutex& mutex, const std::atomic<bool>& cancel) {
    while (!mutex.Lock(10)) {
        if (cancel) return false;
    }
    return true;
}

}  // namespace

void ImageSaver::Start(Job job) {
    Cancel();
    Wait();
    cancel_ = false;
    hurry_ = false;
    state_ = SaveState::Running;
    thread_ = std::thread(&ImageSaver::Run, this, std::move(job));
}

void ImageSaver::Wait() {
    if (!thread_.joinable()) return;
    hurry_ = true;
    thread_.join();
}

void ImageSaver::Run(Job job) {
    plat::LowerCurrentThreadPriority();
    (void)SaveLocked(job.lockKey,  // the outcome is kept in state_
                     [&] { return WriteFile(job.target, job.snapshot.get(), job.length, {}, job.after); });
    job.snapshot.reset();
    if (state_ == SaveState::Saved && job.onSaved) job.onSaved();
}

bool ImageSaver::EndedSaved(const std::atomic<bool>& giveUp) const {
    while (state_ == SaveState::Running) {
        if (giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return state_ == SaveState::Saved;
}

bool ImageSaver::SaveNow(const uint8_t* image, uint32_t length, const std::filesystem::path& target,
                         const std::filesystem::path& lockKey, const std::function<void()>& onSaved) {
    Cancel();
    Wait();
    cancel_ = false;
    hurry_ = true;
    uint8_t lengthWord[IndexFormat::kLengthWordBytes];
    StoreWord(lengthWord, length + IndexFormat::kFileExtraBytes);
    const uint32_t body = length - IndexFormat::kLengthWordBytes;
    if (!SaveLocked(lockKey, [&] { return WriteFile(target, image, body, lengthWord); })) return false;
    if (onSaved) onSaved();
    return true;
}

// Runs `write` holding the writers' mutex of the file and records its outcome.
bool ImageSaver::SaveLocked(const std::filesystem::path& lockKey, const std::function<bool()>& write) {
    bool saved = false;
    auto mutex = plat::NamedMutex::OpenAt(lockKey);
    if (mutex && LockUnlessCancelled(*mutex, cancel_)) {
        saved = write();
        mutex->Unlock();
    }
    state_ = saved ? SaveState::Saved : cancel_ ? SaveState::Cancelled : SaveState::Failed;
    return saved;
}

bool ImageSaver::WriteFile(const std::filesystem::path& target, const uint8_t* body, uint32_t bodyBytes,
                           std::span<const uint8_t> tail, const ImageSaver* after) {
    // Writers of the file hold its mutex: what a temporary name left is a crashed writer's.
    plat::FileReplacement::RemoveLeftovers(target);
    plat::FileReplacement file(target);
    if (!file.Begin()) return false;
    uint32_t crc = 0;
    for (uint32_t at = 0; at < bodyBytes;) {
        if (cancel_) return false;
        // A hurried save has nobody to make room for: it writes in large pieces.
        const uint32_t pieceBytes = hurry_ ? kHurriedPieceBytes : IndexFormat::kSavePieceBytes;
        const uint32_t piece = std::min(pieceBytes, bodyBytes - at);
        if (!file.Write({body + at, piece})) return false;
        crc = Crc32cExtend(crc, body + at, piece);
        at += piece;
        if (cancel_) return false;
        if (!hurry_) std::this_thread::yield();
    }
    crc = Crc32cExtend(crc, tail.data(), tail.size());
    uint8_t checksum[IndexFormat::kFileExtraBytes];
    StoreWord(checksum, crc);
    if (!file.Write(tail) || !file.Write(checksum)) return false;
    if (after != nullptr && !after->EndedSaved(cancel_)) {
        cancel_ = true;
        return false;
    }
    if (!file.Commit()) return false;
    lastChecksum_ = crc;
    return true;
}
