#pragma once
// The gathering of a full rebuild on a thread of its own: the contacts read from the store are
// handed over in order, and each is turned into its index entry (its words, sort texts and custom
// fields) while the caller reads the next. Between the index's BeginRebuild and FinishRebuild
// nothing but Gather touches the rebuild, so the two threads share nothing else.
#include <exception>
#include <thread>

#include "core/thread/HandOver.h"
#include "manager/index/ManagedIndex.h"
#include "store/contact/Contact.h"

class GatherThread {
public:
    explicit GatherThread(ManagedIndex& index);
    GatherThread(const GatherThread&) = delete;
    GatherThread& operator=(const GatherThread&) = delete;
    // Without Finish (the reading failed): the thread gathers the few contacts it still holds and
    // ends; the rebuild is not finished.
    ~GatherThread();

    // The caller keeps no copy of the contact (see HandOver.h).
    void Add(Contact&& contact);
    // Returns once every contact added was gathered; raises what the gathering raised.
    void Finish();

private:
    void Run(ManagedIndex& index);

    HandOver<Contact> queue_;
    std::exception_ptr failure_;
    std::thread thread_;
};
