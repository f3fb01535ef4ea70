#include "manager/queue/ContactDBMsgStack.h"

#include <utility>

#include "core/diag/ErrorLog.h"

ContactDBMsgStack::ContactDBMsgStack()
    : timer_(kWindowClass, [this] {
          if (onQuiet_) onQuiet_();
      }) {}

ContactDBMsgStack::~ContactDBMsgStack() { Destroy(); }

bool ContactDBMsgStack::Create(std::function<void()> onQuiet) {
    onQuiet_ = std::move(onQuiet);
    return timer_.Create();
}

void ContactDBMsgStack::Destroy() { timer_.Destroy(); }

void ContactDBMsgStack::Push(const QueuedChange& change) {
    entries_.Add(change);
    // Restarting replaces the due tick: a burst is handled once, after its last change.
    if (!timer_.Start(kQuietMs)) ErrorLog(u"Unable to set the queue's timer", "ContactDBMsgStack", __LINE__);
}

Array<QueuedChange> ContactDBMsgStack::Take() {
    Array<QueuedChange> taken = std::move(entries_);
    entries_ = Array<QueuedChange>();
    return taken;
}
