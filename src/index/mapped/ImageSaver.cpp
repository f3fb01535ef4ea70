#include "index/mapped/ImageSaver.h"

#include <algorithm>

#include "index/format/IndexFormat.h"
#include "index/format/Words.h"
#include "index/mapped/Crc32c.h"
#include "platform/shm/ImageFile.h"
#include "platform/shm/NamedMutex.h"
#include "platform/shm/ThreadPriority.h"

namespace {

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
    bool saved = false;
    auto mutex = plat::NamedMutex::OpenAt(job.lockKey);
    if (mutex && LockUnlessCancelled(*mutex, cancel_)) {
        saved = WriteFile(job);
        mutex->Unlock();
    }
    job.snapshot.reset();
    if (saved && job.onSaved) job.onSaved();
    state_ = saved ? SaveState::Saved : cancel_ ? SaveState::Cancelled : SaveState::Failed;
}

bool ImageSaver::WriteFile(const Job& job) {
    // Writers of the file hold its mutex: what a temporary name left is a crashed writer's.
    plat::FileReplacement::RemoveLeftovers(job.target);
    plat::FileReplacement file(job.target);
    if (!file.Begin()) return false;
    const uint8_t* data = job.snapshot.get();
    uint32_t crc = 0;
    for (uint32_t at = 0; at < job.length;) {
        if (cancel_) return false;
        const uint32_t piece = std::min(IndexFormat::kSavePieceBytes, job.length - at);
        if (!file.Write({data + at, piece})) return false;
        crc = Crc32cExtend(crc, data + at, piece);
        at += piece;
        if (cancel_) return false;
        if (!hurry_) std::this_thread::yield();
    }
    uint8_t checksum[IndexFormat::kFileExtraBytes];
    StoreWord(checksum, crc);
    return file.Write(checksum) && file.Commit();
}
