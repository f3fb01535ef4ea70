#include "store/vcard/ImportAhead.h"

#include <exception>
#include <optional>
#include <thread>

#include "core/thread/HandOver.h"

namespace {

// Enough to keep the writer busy while a slow card (a large picture) is read, few enough that the
// contacts held stay a small part of what the import holds.
constexpr size_t kReadAhead = 64;

// Stops and joins the reading thread however the taking ends, so that it never outlives the
// file's bytes or the queue.
class ReaderThread {
public:
    ReaderThread(HandOver<ImportedContact>& queue, std::thread thread)
        : queue_(queue), thread_(std::move(thread)) {}
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;
    ~ReaderThread() { Join(); }
    void Join() {
        if (!thread_.joinable()) return;
        queue_.Stop();
        thread_.join();
    }

private:
    HandOver<ImportedContact>& queue_;
    std::thread thread_;
};

}  // namespace

ReadStatus ForEachImportedAhead(std::string_view fileBytes, std::vector<ReadSkip>& skipped, const ContactSink& take) {
    HandOver<ImportedContact> queue(kReadAhead);
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
