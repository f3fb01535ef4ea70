#include "manager/index/GatherThread.h"

namespace {

// Enough to keep the gathering busy while a slow record is read, few enough to hold little.
constexpr size_t kHandedAhead = 64;

}  // namespace

GatherThread::GatherThread(ManagedIndex& index) : queue_(kHandedAhead), thread_([this, &index] { Run(index); }) {}

GatherThread::~GatherThread() {
    if (!thread_.joinable()) return;
    queue_.Finish();
    thread_.join();
}

void GatherThread::Run(ManagedIndex& index) {
    try {
        while (std::optional<Contact> contact = queue_.Take()) index.Gather(*contact);
    } catch (...) {
        failure_ = std::current_exception();
        queue_.Stop();  // the reader's next Add is not waited for
    }
}

// After Finish, a contact no longer counts.
void GatherThread::Add(Contact&& contact) { (void)queue_.Put(std::move(contact)); }

void GatherThread::Finish() {
    queue_.Finish();
    thread_.join();
    if (failure_) std::rethrow_exception(failure_);
}
