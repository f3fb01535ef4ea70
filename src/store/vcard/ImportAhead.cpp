#include "store/vcard/ImportAhead.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// Enough to keep the writer busy while a slow card (a large picture) is read, few enough that the
// contacts held stay a small part of what the import holds.
constexpr size_t kReadAhead = 64;

// The contacts read and not yet taken. The reader waits while it is full; the taker waits while it
// is empty and the reader has not finished.
class ContactQueue {
public:
    // False once the taker has stopped: the reading should end.
    bool Put(ImportedContact&& contact) {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return queued_.size() < kReadAhead || stopped_; });
        if (stopped_) return false;
        queued_.push_back(std::move(contact));
        // Some parts of a contact are copied when it is moved, so the contact moved from still
        // shares their string blocks, whose counts are not atomic: the reader lets go of them
        // before the taker can see the contact.
        contact = ImportedContact{};
        ready_.notify_one();
        return true;
    }
    // Nothing once the reader has finished and every contact was taken.
    std::optional<ImportedContact> Take() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !queued_.empty() || finished_; });
        if (queued_.empty()) return std::nullopt;
        std::optional<ImportedContact> contact(std::move(queued_.front()));
        queued_.pop_front();
        room_.notify_one();
        return contact;
    }
    void Finish() {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        ready_.notify_one();
    }
    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        room_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable room_;
    std::condition_variable ready_;
    std::deque<ImportedContact> queued_;
    bool finished_ = false;
    bool stopped_ = false;
};

// Stops and joins the reading thread however the taking ends, so that it never outlives the
// file's bytes or the queue.
class ReaderThread {
public:
    ReaderThread(ContactQueue& queue, std::thread thread) : queue_(queue), thread_(std::move(thread)) {}
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;
    ~ReaderThread() { Join(); }
    void Join() {
        if (!thread_.joinable()) return;
        queue_.Stop();
        thread_.join();
    }

private:
    ContactQueue& queue_;
    std::thread thread_;
};

}  // namespace

ReadStatus ForEachImportedAhead(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const ContactSink& take) {
    ContactQueue queue;
    std::optional<ReadStatus> status;
    std::exception_ptr failure;
    ReaderThread reader(queue, std::thread([&] {
        try {
            status = ForEachImported(fileBytes, skipped,
                                     [&](ImportedContact&& contact) { return queue.Put(std::move(contact)); });
        } catch (...) {
            failure = std::current_exception();
        }
        queue.Finish();
    }));
    while (std::optional<ImportedContact> contact = queue.Take()) {
        if (!take(std::move(*contact))) break;
    }
    reader.Join();
    if (failure) std::rethrow_exception(failure);
    return *status;
}
